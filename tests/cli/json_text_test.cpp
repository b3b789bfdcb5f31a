// JSON text: lone surrogates survive both ways; a streamed document equals the whole one.
#include "cli/json_text.h"

#include <gtest/gtest.h>

#include <sstream>

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
        {R"("\ud800")", u"\xd800"},
        {R"("end\ud83d")", u"end\xd83d"},
        {R"("nul\u0000end")", std::u16string(u"nul\0end", 7)},
        {R"("q\"b\\s\n\t")", u"q\"b\\s\n\t"},
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

TEST(JsonWriterOutput, StreamedEqualsWhole) {
    auto write = [](JsonWriter& w) {
        w.beginObject();
        w.key("rows");
        w.beginArray();
        for (int i = 0; i < 20000; ++i)
            w.value(std::u16string_view(u"IMG_0001.JPG \u00e9"));
        w.null();
        w.endArray();
        w.member("n", int64_t{-1});
        w.endObject();
    };
    std::string whole;
    JsonWriter w(whole);
    write(w);
    std::ostringstream streamed;
    {
        JsonWriter s(streamed);
        write(s);
    }
    EXPECT_GT(whole.size(), 200000u);
    EXPECT_EQ(streamed.str(), whole);
    std::string error;
    EXPECT_TRUE(parseJson(whole, error)) << error;
}

} // namespace
} // namespace mr::cli
