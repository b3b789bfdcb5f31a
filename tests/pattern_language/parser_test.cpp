#include "pattern/parser.h"
#include "token_shape.h"

#include <gtest/gtest.h>
#include <string>

namespace mr {
namespace {

using test::describeTokens;

::testing::AssertionResult hasShape(const TokenList& tokens) {
    const std::string fault = test::shapeFault(tokens);
    if (fault.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << fault << ": " << describeTokens(tokens);
}

TEST(ParsePattern, GivesTheTokenList) {
    const struct {
        std::u16string base, extension;
        bool includeExtension;
        std::string tokens;
        std::u16string patternText;
    } cases[] = {
        // clang-format off
        {u"", u"", false, "''+", u""},
        {u"*", u"", false, "''+ * ''+", u"*"},
        {u"##", u"", false, "''+ # ''+ # ''+", u"##"},
        {u"IMG_#", u".jpg", true, "'IMG_' # '.jpg'", u"IMG_#.jpg"},
        {u"IMG_#", u".jpg", false, "'IMG_' # ''+", u"IMG_#"},
        {u"IMG_#", u".*", true, "'IMG_' # ''+ .*", u"IMG_#.*"},
        {u"IMG_#", u"", true, "'IMG_' # ''+", u"IMG_#"},
        {u"a#b", u".txt", true, "'a' # 'b.txt'", u"a#b.txt"},
        {u"", u".*", true, "''+ .*", u".*"},
        {u"", u".txt", true, "'.txt'", u".txt"},
        {u"a", u".#*\\", true, "'a.#*\\'", u"a.#*\\"}, // the extension is literal
        {u"a\\#b", u"", false, "'a#b'", u"a\\#b"},
        {u"#\\##", u"", false, "''+ # '#' # ''+", u"#\\##"},
        {u"\\\\", u"", false, "'\\'", u"\\\\"},
        {u"ab\\", u"", false, "'ab'", u"ab\\"},
        {u"#\\", u"", false, "''+ # ''", u"#\\"},
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

// Every text up to four long over the characters that matter has the shape.
TEST(ParsePattern, EveryTextGivesTheShape) {
    const std::u16string alphabet = u"a#*\\<";
    const std::u16string extensions[] = {u"", u".*", u".jpg"};
    std::vector<std::u16string> texts{u""};
    for (size_t begin = 0, length = 0; length < 4; ++length) {
        const size_t end = texts.size();
        for (size_t i = begin; i < end; ++i)
            for (char16_t c : alphabet)
                texts.push_back(texts[i] + c);
        begin = end;
    }
    for (const auto& text : texts)
        for (const auto& ext : extensions)
            for (bool include : {false, true}) {
                NamePattern v;
                parsePattern(text, ext, v, include);
                ASSERT_TRUE(hasShape(v.tokens));
                ASSERT_EQ(v.patternText, include ? text + ext : text);
            }
}

TEST(SetTokenText, TakesTheUsersTextAndMarksIt) {
    NamePattern v;
    parsePattern(u"#", u"", v, false);
    PatternToken& t = v.tokens.front();
    ASSERT_TRUE(t.keepMatched);
    setTokenText(t, u"x<1>");
    EXPECT_EQ(t.newText, u"x<1>");
    EXPECT_TRUE(t.matchText.empty());
    EXPECT_FALSE(t.keepMatched);
    EXPECT_FALSE(t.hasInvalidChars);
    setTokenText(t, u"x<1");
    EXPECT_TRUE(t.hasInvalidChars);
    setTokenText(t, u"");
    EXPECT_FALSE(t.hasInvalidChars);
    EXPECT_FALSE(t.keepMatched); // an emptied text still replaces the matched one

    // Typed back to the names' own text (POSIX names may hold ':'), a text is never marked.
    parsePattern(u"a:b*", u"", v, false);
    PatternToken& named = v.tokens.front();
    EXPECT_FALSE(named.hasInvalidChars);
    setTokenText(named, u"a:c");
    EXPECT_TRUE(named.hasInvalidChars);
    setTokenText(named, u"a:b");
    EXPECT_FALSE(named.hasInvalidChars);
}

TEST(IsValidNameText, ForbiddenCharactersAndTags) {
    const std::pair<std::u16string, bool> cases[] = {
        // clang-format off
        {u"", true}, {u"plain name.txt", true}, {u"a<D>b", true}, {u"a<1>b", true},
        {u"<D:yyyy:mm>", true}, // a ':' inside a tag is the tag's
        {u"<D:yyyy-mm-dd><S:6A><F><N:2><1,1:3F><C>", true}, {u"\t\x01\u00E9\U0001F600", true},
        {u"a<b", false}, {u"a>b", false}, {u"x/y", false}, {u"a:b", false}, {u"a\"b", false},
        {u"a*b", false}, {u"a?b", false}, {u"a\\b", false}, {u"a|b", false}, {u"<D>>", false},
        {u"<D:yy<F>", true}, {u"<D:yy<x>", false}, // the scan goes on at a '<' in a date format
        {u"<", false}, {u"<x><D>", false},
        // clang-format on
    };
    for (const auto& [text, valid] : cases)
        EXPECT_EQ(isValidNameText(text), valid) << std::string(text.begin(), text.end());
}

} // namespace
} // namespace mr
