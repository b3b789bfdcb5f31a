// JSON text: lone surrogates survive both ways.
#include "cli/json_text.h"

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

} // namespace
} // namespace mr::cli
