#include "ui/model/type_to_find.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

TEST(TypeToFind, MovesToTheNextRowThatBeginsWithTheTypedText) {
    const std::u16string names[] = {u"apple.txt", u"Banana.txt", u"berry.txt",        u"bert.txt",
                                    u"blue.txt",  u"cherry.txt", u"\u00e9t\u00e9.txt"};
    std::vector<FileRecord> files(std::size(names));
    std::vector<FileRecord*> rows;
    for (size_t i = 0; i < files.size(); ++i) {
        files[i].name = names[i];
        rows.push_back(&files[i]);
    }
    constexpr std::optional<size_t> none;
    const struct {
        std::u16string_view typed;
        std::optional<size_t> focused, found;
    } cases[] = {
        {u"b", none, 1},    // no focus: from the top
        {u"b", 1, 2},       // a letter: from the row after the focused one
        {u"B", 4, 1},       // without case, wrapping round
        {u"ba", 1, 1},      // a text being extended still fits the focused row
        {u"BE", 1, 2},      //
        {u"bert", 2, 3},    //
        {u"bb", 2, 3},      // one letter again and again steps through its rows
        {u"bbb", 4, 1},     //
        {u"a", 0, 0},       // the only row that fits, reached again
        {u"\u00c9T", 0, 6}, // beyond ASCII
        {u"x", 3, none},    // nothing fits
        {u"berries", 2, none}, {u"", 0, none}, {u"c", 99, 5}, // a focus past the end counts as none
    };
    for (const auto& c : cases)
        EXPECT_EQ(findTypedRow(rows, c.typed, c.focused), c.found)
            << std::string(c.typed.begin(), c.typed.end());
    EXPECT_EQ(findTypedRow({}, u"a", none), none);
}

} // namespace
} // namespace mr
