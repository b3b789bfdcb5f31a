#include "ui/model/dpi_math.h"
#include "ui/model/field_layout.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

std::vector<FieldBox> row(std::initializer_list<std::pair<int32_t, bool>> fields) {
    std::vector<FieldBox> out;
    for (auto [textWidth, isButton] : fields)
        out.push_back({textWidth, isButton, 0, 0});
    return out;
}

TEST(FieldLayout, OneWildcardRowIsCentredWithMinimumEdits) {
    auto fields = row({{0, false}, {7, true}, {0, false}});
    layoutFields(fields, 600, 96);
    // Empty edits: 6 + 6 + 24 = 36 DIP, above the 30 floor; the button 7 + 12.
    EXPECT_EQ(fields[0].width, 36);
    EXPECT_EQ(fields[1].width, 19);
    EXPECT_EQ(fields[2].width, 36);
    const int32_t total = 36 + 19 + 36 + 2 * 4;
    EXPECT_EQ(fields[0].x, (600 - total) / 2);
    EXPECT_EQ(fields[1].x, fields[0].x + 36 + 4);
    EXPECT_EQ(fields[2].x, fields[1].x + 19 + 4);
}

TEST(FieldLayout, TooWideRowNarrowsTheWidestFirstAndKeepsFourGapsFree) {
    auto fields = row({{300, false}, {7, true}, {200, false}, {7, true}, {40, false}});
    layoutFields(fields, 400, 96);
    int32_t right = fields.back().x + fields.back().width;
    EXPECT_EQ(fields[0].width, fields[2].width) << "the two widest end level";
    EXPECT_EQ(fields[4].width, 40 + 12 + 24) << "narrower fields keep their width";
    // Centred with 16 DIP (4 gaps) left free overall.
    EXPECT_EQ(fields[0].x, 8);
    EXPECT_EQ(right, 400 - 8);
}

TEST(FieldLayout, RowAtItsFloorStartsAtTheLeftAndRunsOff) {
    std::vector<FieldBox> fields;
    for (int i = 0; i < 20; ++i)
        fields.push_back({i % 2 ? 7 : 500, i % 2 == 1, 0, 0});
    layoutFields(fields, 300, 96);
    EXPECT_EQ(fields[0].x, 0);
    for (int i = 0; i < 20; i += 2)
        EXPECT_EQ(fields[i].width, 30) << i;
    EXPECT_GT(fields.back().x, 300);
}

TEST(FieldLayout, ScalesAtHigherDpi) {
    auto fields = row({{0, false}});
    layoutFields(fields, 300, 144);
    EXPECT_EQ(fields[0].width, 36);
    // 36 DIP are 54 pixels at 144 dpi: (300 - 54) / 2 = 123 pixels, 82 DIP.
    EXPECT_EQ(fields[0].x, toDips(123, 144));
}

TEST(ShrinkWidestFields, FreesNoMoreThanAsked) {
    struct Case {
        std::vector<int32_t> widths;
        int32_t request, freed;
        std::vector<int32_t> after;
    } cases[] = {
        {{100, 100, 50}, 20, 20, {90, 90, 50}},
        {{100, 60, 50}, 100, 40, {60, 60, 50}}, // one level at a time
        {{30, 30}, 10, 0, {30, 30}},            // already at the floor
        {{40, 35}, 50, 5, {35, 35}},            // down to the second widest only
        {{40, 20}, 50, 10, {30, 20}},           // the floor is above the second widest
        {{101, 101, 101}, 4, 4, {99, 99, 99}},  // ceil(4 / 3) each
    };
    for (const auto& c : cases) {
        std::vector<FieldBox> fields;
        for (auto w : c.widths)
            fields.push_back({0, false, w, 0});
        EXPECT_EQ(shrinkWidestFields(fields, c.request, 96), c.freed);
        std::vector<int32_t> after;
        for (auto& f : fields)
            after.push_back(f.width);
        EXPECT_EQ(after, c.after);
    }
}

} // namespace
} // namespace mr
