// Text out of the command line: lone surrogates survive JSON both ways; nothing in a name
// shown on a terminal moves the cursor or sets colours, and columns line up.
#include "cli/json_text.h"
#include "cli/terminal_text.h"
#include "cli_support.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

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
        {u"a\u202Egpj.exe", "a\\u202Egpj.exe", 14},               // turns the line around
        {u"a\u2066b\u200Fc", "a\\u2066b\\u200Fc", 15},            // isolates and marks
        {u"a\u2028b", "a\\u2028b", 8},                            // a line separator
        {u"e\u0301te\u0301", "e\xcc\x81te\xcc\x81", 3},           // combining accents
        {u"\uFF21\u3000", "\xef\xbc\xa1\xe3\x80\x80", 4},         // fullwidth forms
    };
    for (const auto& c : cases) {
        EXPECT_EQ(displayName(c.name, HumanStyle{}), c.shown);
        EXPECT_EQ(displayWidth(c.name), c.width) << c.shown;
    }
    // Escapes stand out in colour.
    EXPECT_EQ(displayName(u"a\tb", HumanStyle{true}), "a\x1b[33m\\u0009\x1b[0mb");
}

struct FitCase {
    std::u16string name;
    size_t width;
    std::string shown;
    std::string head; // the beginning that fits, as a field of the terminal dialog shows it
};

TEST(NameDisplay, FitsAColumnCutInTheMiddle) {
    const FitCase cases[] = {
        {u"IMG_0001.jpg", 12, "IMG_0001.jpg", "IMG_0001.jpg"},
        {u"IMG_0001.jpg", 9,
         "IM\xe2\x80\xa6"
         "01.jpg",
         "IMG_0001."},
        {u"\u5199\u771f\u5199\u771f.jpg", 8, "\xe5\x86\x99\xe2\x80\xa6.jpg",
         "\xe5\x86\x99\xe7\x9c\x9f\xe5\x86\x99\xe7\x9c\x9f"},
        {u"\u5199\u771f\u5199\u771f.jpg", 5, "\xe2\x80\xa6jpg",
         "\xe5\x86\x99\xe7\x9c\x9f"}, // never half a wide character
        {u"e\u0301e\u0301e\u0301e\u0301", 3,
         "\xe2\x80\xa6"
         "e\xcc\x81"
         "e\xcc\x81",
         "e\xcc\x81"
         "e\xcc\x81"
         "e\xcc\x81"}, // marks stay
        {u"a\x1b[2Jbcd", 8,
         "a\xe2\x80\xa6"
         "2Jbcd",
         "a\\u001B["}, // never half an escape
    };
    for (const auto& c : cases) {
        const std::string shown = fitName(c.name, c.width, HumanStyle{});
        EXPECT_EQ(shown, c.shown) << c.width;
        EXPECT_LE(displayWidth(fromUtf8(shown)), c.width) << shown;
        size_t used = 0;
        EXPECT_EQ(displayHead(c.name, c.width, &used), c.head) << c.width;
        EXPECT_EQ(used, displayWidth(fromUtf8(c.head))) << c.head;
    }
}

TEST(NameDisplay, ACaretStepsOverWholeCharacters) {
    // A mark goes with its letter, a pair of surrogates stays whole.
    const std::u16string text = u"ae\u0301\U0001F4F7b";
    const size_t stops[] = {0, 1, 3, 5, 6};
    for (size_t i = 0; i + 1 < std::size(stops); ++i) {
        EXPECT_EQ(nextCharacter(text, stops[i]), stops[i + 1]);
        EXPECT_EQ(previousCharacter(text, stops[i + 1]), stops[i]);
    }
}

// What a terminal must never receive raw from a name.
bool obeyed(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF) ||
           c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

// A name of random code points, weighted towards what a terminal obeys and towards
// characters of other widths.
std::u16string randomName(std::mt19937& rng) {
    const char32_t ranges[][2] = {{0x20, 0x7E},     {0x01, 0x1F},     {0x7F, 0x9F},
                                  {0x2028, 0x202E}, {0x2066, 0x2069}, {0x0300, 0x036F},
                                  {0x4E00, 0x9FFF}, {0xFF01, 0xFF60}, {0x1F300, 0x1FAFF},
                                  {0xD800, 0xDFFF}, {0xA0, 0xFFFD}};
    std::u16string name;
    const size_t length = 1 + rng() % 20;
    while (name.size() < length) {
        const auto& r = ranges[rng() % std::size(ranges)];
        const char32_t c = r[0] + rng() % (r[1] - r[0] + 1);
        if (c == u'/' || c == u'\\')
            continue;
        if (c >= 0x10000) {
            name += char16_t(0xD800 + ((c - 0x10000) >> 10));
            name += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            name += char16_t(c);
        }
    }
    return name;
}

TEST(HumanView, NoLineHoldsARawControlAndTheTableFitsTheTerminal) {
    std::mt19937 rng(20261206);
    test::TempFolder tmp;
    for (int round = 0; round < 100; ++round) {
        std::set<std::u16string> names;
        while (names.size() < 6)
            names.insert(randomName(rng));
#ifdef _WIN32
        const std::string rules = "windows", folder = "C:\\r" + toUtf8(randomName(rng)) + "\\";
#else
        const std::string rules = "posix", folder = "/r" + toUtf8(randomName(rng)) + "/";
#endif
        std::string entries, paths;
        for (const auto& n : names) {
            entries += std::string(entries.empty() ? "" : ",") + "{\"name\":" + jsonQuoted(n) + "}";
            paths += std::string(paths.empty() ? "" : ",") + jsonQuoted(fromUtf8(folder) + n);
        }
        const auto records =
            tmp.write("records.json", "{\"rules\":\"" + rules + "\",\"folders\":[{\"path\":" +
                                          jsonQuoted(fromUtf8(folder)) + ",\"entries\":[" +
                                          entries + "]}],\"paths\":[" + paths + "]}");
        test::RunOptions options;
        const size_t widths[] = {0, 24, 40, 80, 132};
        options.columns = widths[rng() % std::size(widths)];
        const auto r = test::run(
            {"--records", records.string(), "-t", "0=" + toUtf8(randomName(rng))}, options);
        ASSERT_NE(r.out + r.err, "");
        bool table = false;
        for (const std::string& text : {r.out, r.err}) {
            for (size_t from = 0, to; from < text.size(); from = to + 1) {
                to = std::min(text.find('\n', from), text.size());
                const std::u16string line = fromUtf8(text.substr(from, to - from));
                for (size_t i = 0; i < line.size(); ++i) {
                    const bool pair = i + 1 < line.size() && line[i] >= 0xD800 &&
                                      line[i] < 0xDC00 && line[i + 1] >= 0xDC00 &&
                                      line[i + 1] < 0xE000;
                    ASSERT_TRUE(pair || !obeyed(line[i]))
                        << "U+" << std::hex << unsigned(line[i]) << " in " << text;
                    i += pair;
                }
                if (line.starts_with(u"   Old Name"))
                    table = true;
                else if (line.empty())
                    table = false;
                else if (table && options.columns && !line.starts_with(u"     ")) {
                    EXPECT_LE(displayWidth(line), options.columns) << text;
                }
            }
        }
    }
}

} // namespace
} // namespace mr::cli
