#include "ui/model/dpi_math.h"
#include "ui/model/field_layout.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

// Fields of these text widths, every second one a button.
std::vector<FieldBox> row(std::vector<int32_t> textWidths) {
    std::vector<FieldBox> out;
    for (size_t i = 0; i < textWidths.size(); ++i)
        out.push_back({textWidths[i], i % 2 == 1, 0, 0});
    return out;
}

TEST(FieldLayout, RowsAreCentredAndNarrowedFromTheWidest) {
    auto fields = row({0, 7, 0});
    layoutFields(fields, 600, 96);
    // Empty edits: 6 + 6 + 24 = 36 DIP, above the 30 floor; the button 7 + 12.
    EXPECT_EQ(fields[1].width, 19);
    EXPECT_EQ(fields[0].x, (600 - 36 - 19 - 36 - 2 * 4) / 2);
    EXPECT_EQ(fields[2].x, fields[1].x + 19 + 4);

    fields = row({300, 7, 200, 7, 40});
    layoutFields(fields, 400, 96);
    EXPECT_EQ(fields[0].width, fields[2].width) << "the two widest end level";
    EXPECT_EQ(fields[4].width, 40 + 12 + 24) << "narrower fields keep their width";
    EXPECT_EQ(fields[0].x, 8); // 4 gaps left free
    EXPECT_EQ(fields[4].x + fields[4].width, 400 - 8);

    std::vector<int32_t> wide(20, 500);
    for (size_t i = 1; i < wide.size(); i += 2)
        wide[i] = 7;
    fields = row(wide);
    layoutFields(fields, 300, 96);
    EXPECT_EQ(fields[0].x, 0) << "a row at its floor starts at the left and runs off";
    EXPECT_EQ(fields[18].width, 30);
    EXPECT_GT(fields.back().x, 300);

    fields = row({0});
    layoutFields(fields, 300, 144);
    EXPECT_EQ(fields[0].x, toDips((300 - 54) / 2, 144)); // 36 DIP are 54 pixels
}

TEST(ShrinkWidestFields, FreesNoMoreThanAsked) {
    struct Case {
        std::vector<int32_t> widths;
        int32_t request, freed;
        std::vector<int32_t> after;
    } cases[] = {
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
