#include "pattern/matching.h"
#include "support/pattern_support.h"

#include <gtest/gtest.h>

#include <random>

namespace mr {
namespace {

using test::parsed;
using Texts = std::vector<std::u16string>;

Texts texts(const CaptureList& captures) {
    Texts out;
    for (const auto& c : captures)
        out.emplace_back(c.text);
    return out;
}

struct MatchCase {
    const char* what;
    std::u16string base, ext;
    bool includeExtension;
    std::u16string name; // already split
    bool matches;
    Texts captures; // what the list holds afterwards
};
void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.what;
}

class MatchTokens : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchTokens, CapturesTheFirstMatchInTrialOrder) {
    const MatchCase& c = GetParam();
    const NamePattern p = parsed(c.base, c.ext, c.includeExtension);
    CaptureList captures;
    EXPECT_EQ(matchTokens(c.name, p.tokens, 0, captures), c.matches);
    EXPECT_EQ(texts(captures), c.captures);
}

const std::u16string k300Digits(300, u'7');

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, MatchTokens, testing::Values(
    MatchCase{"text, number, extension text", u"IMG_#", u".jpg", true, u"IMG_0042.jpg", true, {u"IMG_", u"0042", u".jpg"}},
    MatchCase{"first wildcard as short as it can be", u"*-*", u"", false, u"a-b-c", true, {u"", u"a", u"-", u"b-c", u""}},
    MatchCase{"earlier wildcard shortest, a later one grows", u"*a*b", u"", false, u"aab", true, {u"", u"", u"a", u"a", u"b"}},
    MatchCase{"wildcard then number", u"*#", u"", false, u"ab12", true, {u"", u"ab", u"", u"12", u""}},
    MatchCase{"number needs a digit", u"*#", u"", false, u"ab", false, {u""}},
    MatchCase{"number never gives digits back", u"#1", u"", false, u"121", false, {u"", u"121"}},
    MatchCase{"wildcard stops at the first text that lets the rest match", u"*.b#", u"", false, u"x.a.b1", true, {u"", u"x.a", u".b", u"1", u""}},
    MatchCase{"wildcard at the end takes the rest", u"a*", u"", false, u"abc", true, {u"a", u"bc", u""}},
    MatchCase{"extension wildcard from the first period that fits", u"*", u".*", true, u"x.tar.gz", true, {u"", u"x", u"", u".tar.gz"}},
    MatchCase{"extension wildcard needs a period", u"*", u".*", true, u"README", false, {u""}},
    MatchCase{"at most 260 digits, the rest goes on", u"#*", u"", false, k300Digits, true, {u"", k300Digits.substr(40), u"", k300Digits.substr(260), u""}},
    MatchCase{"only 0 to 9 are digits", u"#", u"", false, u"\u0663", false, {u""}},
    MatchCase{"text compares case-sensitively", u"abc", u"", false, u"ABC", false, {}},
    MatchCase{"literal # between numbers", u"#\\##", u"", false, u"1#2", true, {u"", u"1", u"#", u"2", u""}},
    MatchCase{"left-over text fails", u"ab", u"", false, u"abc", false, {u"ab"}},
    MatchCase{"failure keeps what came before the failing token", u"ab#", u"", false, u"abx", false, {u"ab"}},
    MatchCase{"empty pattern matches the empty text", u"", u"", false, u"", true, {u""}}));
// clang-format on

TEST(MatchTokens, EmptyTokenListMatchesOnlyTheEmptyText) {
    CaptureList captures;
    EXPECT_TRUE(matchTokens(u"", {}, 0, captures));
    EXPECT_FALSE(matchTokens(u"a", {}, 0, captures));
}

TEST(SplitForPattern, SetsAsideFromTheLastPeriod) {
    const std::tuple<std::u16string, bool, std::u16string, std::u16string> cases[] = {
        {u"archive.tar.gz", false, u"archive.tar", u".gz"},
        {u"README", false, u"README", u""},
        {u".profile", false, u"", u".profile"},
        {u"a.tar.gz", true, u"a.tar.gz", u""}};
    for (const auto& [name, includes, base, extension] : cases) {
        const SplitName s = splitForPattern(name, includes);
        EXPECT_EQ(s.base, base);
        EXPECT_EQ(s.extension, extension);
    }
}

// The matcher as first described: every wildcard trial copies the capture list and
// tries the rest afresh. Exponential, so only for short inputs.
bool referenceMatch(std::u16string_view text, const TokenList& tokens, size_t t,
                    CaptureList& captures) {
    if (t == tokens.size())
        return text.empty();
    const PatternToken& token = tokens[t];
    if (token.kind != TokenKind::Wildcard) {
        size_t n = 0;
        if (token.kind == TokenKind::Text && text.starts_with(token.matchText))
            n = token.matchText.size();
        while (token.kind == TokenKind::Number && n < text.size() && n < 260 && text[n] >= u'0' &&
               text[n] <= u'9')
            ++n;
        if (n == 0 && (token.kind == TokenKind::Number || !text.starts_with(token.matchText)))
            return false;
        captures.push_back({&token, text.substr(0, n)});
        return referenceMatch(text.substr(n), tokens, t + 1, captures);
    }
    if (token.isExtension && !text.starts_with(u'.'))
        return false;
    for (size_t length = 0; length <= text.size(); ++length) {
        CaptureList trial = captures;
        trial.push_back({&token, text.substr(0, length)});
        if (referenceMatch(text.substr(length), tokens, t + 1, trial)) {
            captures = trial;
            return true;
        }
    }
    return false;
}

std::vector<std::pair<const PatternToken*, std::u16string>> keyed(const CaptureList& captures) {
    std::vector<std::pair<const PatternToken*, std::u16string>> out;
    for (const auto& c : captures)
        out.emplace_back(c.token, c.text);
    return out;
}

TEST(MatchTokens, AgreesWithTheLiteralMatcherOnRandomPatterns) {
    std::mt19937 rng(20261205);
    auto randomText = [&](std::u16string_view from, size_t maxLength) {
        std::u16string s(rng() % (maxLength + 1), u' ');
        for (auto& c : s)
            c = from[rng() % from.size()];
        return s;
    };
    int matched = 0;
    for (int round = 0; round < 10000; ++round) {
        const std::u16string base = randomText(u"ab1.*#*#", 8), name = randomText(u"ab1.", 11);
        const NamePattern p = parsed(base, rng() % 4 == 0 ? u".*" : u".a", rng() % 2 == 0);
        CaptureList expected, actual;
        const bool want = referenceMatch(name, p.tokens, 0, expected);
        const std::string where(base.begin(), base.end()), what(name.begin(), name.end());
        ASSERT_EQ(matchTokens(name, p.tokens, 0, actual), want) << where << " vs " << what;
        ASSERT_EQ(keyed(actual), keyed(expected)) << where << " vs " << what;
        matched += want;
    }
    EXPECT_GT(matched, 300); // successes must be exercised too
}

TEST(MatchTokens, ManyWildcardsAgainstANearMissStillGivesTheLiteralAnswer) {
    std::u16string base;
    for (int i = 0; i < 30; ++i)
        base += u"*a";
    const NamePattern p = parsed(base + u"*b");
    CaptureList captures;
    EXPECT_FALSE(matchTokens(std::u16string(255, u'a'), p.tokens, 0, captures));
    EXPECT_EQ(texts(captures), Texts{u""});
    EXPECT_TRUE(matchTokens(std::u16string(254, u'a') + u"b", p.tokens, 0, captures));
}

struct MinimumCase {
    const char* what;
    std::u16string base;
    std::vector<std::u16string> names, leftOut;
    std::vector<int64_t> minimums; // per number field
};
void PrintTo(const MinimumCase& c, std::ostream* os) {
    *os << c.what;
}

class CollectNumberMinimums : public testing::TestWithParam<MinimumCase> {};

TEST_P(CollectNumberMinimums, TakesTheSmallestValueOfEachField) {
    const MinimumCase& c = GetParam();
    RecordSet set;
    test::fillNameSet(set, c.names);
    for (const auto& name : c.leftOut)
        test::fileNamed(set, name)->takesPart = false;
    NamePattern p = parsed(c.base);
    std::vector<int64_t> minimums;
    for (auto& t : p.tokens)
        t.minimum = 42; // fields no file reaches keep what they had
    collectNumberMinimums(set, p);
    for (const auto& t : p.tokens)
        if (t.kind == TokenKind::Number)
            minimums.push_back(t.minimum);
    EXPECT_EQ(minimums, c.minimums);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CollectNumberMinimums, testing::Values(
    MinimumCase{"numeric, not textual, order", u"a#", {u"a7", u"a12", u"a003"}, {}, {3}},
    MinimumCase{"each field on its own", u"x#y#", {u"x1y9", u"x3y2"}, {}, {1, 2}},
    MinimumCase{"extension set aside", u"a#", {u"a5.jpg", u"a9.png"}, {}, {5}},
    MinimumCase{"a name that does not fit does not count", u"a#", {u"a5", u"b1"}, {}, {5}},
    MinimumCase{"a file left out does not count", u"a#", {u"a5", u"a1"}, {u"a1"}, {5}},
    MinimumCase{"no file reaches the field", u"a#", {u"b1"}, {}, {42}},
    MinimumCase{"more than 18 digits wrap around", u"#", {u"18446744073709551617"}, {}, {1}}));
// clang-format on

} // namespace
} // namespace mr
