// Names on a terminal: nothing in them moves the cursor or sets colours; columns line up.
#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace mr::cli {
namespace {

struct DisplayCase {
    std::u16string name;
    std::string shown;
    size_t width;
};

TEST(NameDisplay, EscapesWhatATerminalWouldObey) {
    const DisplayCase cases[] = {
        {u"\x1b[31mred", "\\u001B[31mred", 13},
        {u"a\u009bb", "a\\u009Bb", 8},                            // a C1 control
        {u"x\xdcff", "x\\xFF", 5},                                // an undecodable byte
        {u"\xd800", "\\uD800", 6},                                // a lone surrogate
        {u"\u5199\u771f.jpg", "\xe5\x86\x99\xe7\x9c\x9f.jpg", 8}, // wide characters
        {u"\U0001F4F7", "\xf0\x9f\x93\xb7", 2},                   // beyond the BMP
    };
    for (const auto& c : cases) {
        EXPECT_EQ(displayName(c.name, HumanStyle{}), c.shown);
        EXPECT_EQ(displayWidth(c.name), c.width) << c.shown;
    }
    // Escapes stand out in colour.
    EXPECT_EQ(displayName(u"a\tb", HumanStyle{true}), "a\x1b[33m\\u0009\x1b[0mb");
}

} // namespace
} // namespace mr::cli
