#include "pattern/parser.h"
#include "token_shape.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mr {
namespace {

using test::describeTokens;

TEST(ParsePattern, GivesTheTokenList) {
    const struct {
        std::u16string base, extension;
        bool includeExtension;
        std::string tokens;
        std::u16string patternText;
    } cases[] = {
        // clang-format off
        {u"", u"", false, "''+", u""},
        {u"##", u"", false, "''+ # ''+ # ''+", u"##"},
        {u"IMG_#", u".jpg", true, "'IMG_' # '.jpg'", u"IMG_#.jpg"},
        {u"IMG_#", u".jpg", false, "'IMG_' # ''+", u"IMG_#"},
        {u"IMG_#", u".*", true, "'IMG_' # ''+ .*", u"IMG_#.*"},
        {u"a#b", u".txt", true, "'a' # 'b.txt'", u"a#b.txt"},
        {u"", u".txt", true, "'.txt'", u".txt"},
        {u"a", u".#*\\", true, "'a.#*\\'", u"a.#*\\"}, // the extension is literal
        {u"a\\#b", u"", false, "'a#b'", u"a\\#b"},
        {u"\\\\", u"", false, "'\\'", u"\\\\"},
        {u"ab\\", u"", false, "'ab'", u"ab\\"},
        {u"\\", u".*", true, "'' .*", u"\\.*"},
        {u"x*y#z", u"", false, "'x' * 'y' # 'z'", u"x*y#z"},
        // clang-format on
    };
    for (const auto& c : cases) {
        NamePattern variant;
        variant.patternText = u"old";
        variant.tokens.resize(3);
        parsePattern(c.base, c.extension, variant, c.includeExtension);
        EXPECT_EQ(describeTokens(variant.tokens), c.tokens);
        EXPECT_EQ(variant.patternText, c.patternText);
        EXPECT_EQ(variant.includesExtension, c.includeExtension);
    }
}

TEST(SetTokenText, TakesTheUsersTextAndMarksIt) {
    NamePattern v;
    parsePattern(u"#a:b", u"", v, false); // ''+ # 'a:b': POSIX names may hold ':'
    const struct {
        size_t token;
        std::u16string text;
        bool invalid;
    } typed[] = {
        {0, u"x<1>", false}, {0, u"x<1", true},  {0, u"", false}, // an emptied text still replaces
        {2, u"a:c", true},   {2, u"a:b", false}, // the names' own text is never marked
    };
    for (const auto& c : typed) {
        PatternToken& t = v.tokens[c.token];
        setTokenText(t, c.text);
        EXPECT_EQ(std::tie(t.newText, t.keepMatched, t.hasInvalidChars),
                  std::tuple(c.text, false, c.invalid));
    }
}

TEST(IsValidNameText, ForbiddenCharactersAndTags) {
    const std::pair<std::u16string, bool> cases[] = {
        // clang-format off
        {u"", true}, {u"\u00E9\U0001F600\x7F", true},
        {u"a\tb", false}, {u"\x1F", false}, {std::u16string(u"a\0b", 3), false}, // control characters
        {u"<D:yy\x01>", false}, {u"<1,1:3\n>", false},                 // inside a tag too
        {u"<D:yyyy:mm>", true}, // a ':' inside a tag is the tag's
        {u"<D:yyyy-mm-dd><S:6A><F><N:2><1,1:3F><C>", true},
        {u"<D>>", false},
        {u"<D:yy<F>", true}, {u"<D:yy<x>", false}, // the scan goes on at a '<' in a date format
        // clang-format on
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(isValidNameText(text), valid) << std::string(text.begin(), text.end());
    for (const char16_t c : std::u16string_view(u"/:\"*?\\|>"))
        EXPECT_FALSE(isValidNameText(u"a" + std::u16string(1, c) + u"b")) << char(c);
}

} // namespace
} // namespace mr
