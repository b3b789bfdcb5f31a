// Text out of the command line: lone surrogates survive JSON both ways; nothing in a name
// shown on a terminal moves the cursor or sets colours, and columns line up.
#include "cli/json_text.h"
#include "cli/terminal_text.h"

#include <gtest/gtest.h>

namespace mr::cli {
namespace {

struct JsonStringCase {
    const char* json;
    std::u16string text;
};

TEST(JsonStrings, LoneSurrogatesSurviveBothWays) {
    const JsonStringCase cases[] = {
        {R"("bad\udc80byte")", u"bad\xdc80"
                               u"byte"},
        {R"("end\ud83d")", u"end\xd83d"},
        {R"("nul\u0000end")", std::u16string(u"nul\0end", 7)},
        // ASCII runs around characters of two, three and four bytes.
        {"\"\\\"a\xc3\xa9"
         "b\xe2\x82\xac\xf0\x9f\x93\xb7\\\"\"",
         u"\"a\u00e9b\u20ac\U0001F4F7\""},
    };
    for (const auto& c : cases) {
        std::string error;
        auto doc = parseJson(c.json, error);
        ASSERT_TRUE(doc) << c.json << ": " << error;
        EXPECT_EQ(jsonString(*doc), c.text) << c.json;
        EXPECT_EQ(jsonQuoted(c.text), c.json);
    }
}

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
