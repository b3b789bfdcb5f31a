// Names on a terminal: nothing in a name can move the cursor or change colours, and
// the columns line up.
#include "cli/terminal_text.h"

#include "cli_support.h"

#include <gtest/gtest.h>

namespace mr::cli {
namespace {

struct DisplayCase {
    const char* what;
    std::u16string name;
    std::string shown;
    size_t width;
};

class NameDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(NameDisplay, EscapesWhatATerminalWouldObey) {
    EXPECT_EQ(displayName(GetParam().name, HumanStyle{}), GetParam().shown);
    EXPECT_EQ(displayWidth(GetParam().name), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NameDisplay,
    testing::Values(DisplayCase{"plain", u"a.txt", "a.txt", 5},
                    DisplayCase{"accented", u"caf\u00e9", "caf\xc3\xa9", 4},
                    DisplayCase{"escape sequence", u"\x1b[31mred", "\\u001B[31mred", 13},
                    DisplayCase{"line break", u"a\nb", "a\\u000Ab", 8},
                    DisplayCase{"C1 control", u"a\u009bb", "a\\u009Bb", 8},
                    DisplayCase{"undecodable byte", u"x\xdcff", "x\\xFF", 5},
                    DisplayCase{"lone high surrogate", u"\xd800", "\\uD800", 6},
                    DisplayCase{"wide characters", u"\u5199\u771f.jpg",
                                "\xe5\x86\x99\xe7\x9c\x9f.jpg", 8},
                    DisplayCase{"pair outside the BMP", u"\U0001F4F7", "\xf0\x9f\x93\xb7", 2}),
    test::CaseName());

TEST(NameDisplayColour, EscapesStandOutInColour) {
    EXPECT_EQ(displayName(u"a\tb", HumanStyle{true}), "a\x1b[33m\\u0009\x1b[0mb");
}

} // namespace
} // namespace mr::cli
