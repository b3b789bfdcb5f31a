#include "pattern/matching.h"
#include "pattern/parser.h"
#include "support/name_set.h"

#include <gtest/gtest.h>

#include <random>

namespace mr {
namespace {

NamePattern parsed(std::u16string_view base, std::u16string_view ext = u"",
                   bool includeExtension = false) {
    NamePattern p;
    parsePattern(base, ext, p, includeExtension);
    return p;
}

std::vector<std::u16string> texts(const CaptureList& captures) {
    std::vector<std::u16string> out;
    for (const auto& c : captures)
        out.emplace_back(c.text);
    return out;
}

struct MatchCase {
    const char* what;
    std::u16string base;
    std::u16string ext;
    bool includeExtension;
    std::u16string name; // the text matched: a base already split off
    bool matches;
    std::vector<std::u16string> captures; // what the list holds afterwards
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

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchTokens,
    testing::Values(
        MatchCase{"text, number, extension text",
                  u"IMG_#",
                  u".jpg",
                  true,
                  u"IMG_0042.jpg",
                  true,
                  {u"IMG_", u"0042", u".jpg"}},
        MatchCase{"first wildcard as short as it can be",
                  u"*-*",
                  u"",
                  false,
                  u"a-b-c",
                  true,
                  {u"", u"a", u"-", u"b-c", u""}},
        MatchCase{"earlier wildcard shortest even when a later one grows",
                  u"*a*b",
                  u"",
                  false,
                  u"aab",
                  true,
                  {u"", u"", u"a", u"a", u"b"}},
        MatchCase{"wildcard then number",
                  u"*#",
                  u"",
                  false,
                  u"ab12",
                  true,
                  {u"", u"ab", u"", u"12", u""}},
        MatchCase{"number needs a digit", u"*#", u"", false, u"ab", false, {u""}},
        MatchCase{
            "number never gives digits back", u"#1", u"", false, u"121", false, {u"", u"121"}},
        MatchCase{"wildcard stops at the first text that lets the rest match",
                  u"*.b#",
                  u"",
                  false,
                  u"x.a.b1",
                  true,
                  {u"", u"x.a", u".b", u"1", u""}},
        MatchCase{"wildcard at the end takes the rest",
                  u"a*",
                  u"",
                  false,
                  u"abc",
                  true,
                  {u"a", u"bc", u""}},
        MatchCase{"extension wildcard begins at the first period that fits",
                  u"*",
                  u".*",
                  true,
                  u"x.tar.gz",
                  true,
                  {u"", u"x", u"", u".tar.gz"}},
        MatchCase{"extension wildcard needs a period", u"*", u".*", true, u"README", false, {u""}},
        MatchCase{"number takes at most 260 digits, the rest goes on",
                  u"#*",
                  u"",
                  false,
                  k300Digits,
                  true,
                  {u"", std::u16string(260, u'7'), u"", std::u16string(40, u'7'), u""}},
        MatchCase{"only 0 to 9 are digits", u"#", u"", false, u"\u0663", false, {u""}},
        MatchCase{"text compares case-sensitively", u"abc", u"", false, u"ABC", false, {}},
        MatchCase{"literal # between numbers",
                  u"#\\##",
                  u"",
                  false,
                  u"1#2",
                  true,
                  {u"", u"1", u"#", u"2", u""}},
        MatchCase{"left-over text fails", u"ab", u"", false, u"abc", false, {u"ab"}},
        MatchCase{"failure keeps what came before the failing token",
                  u"ab#",
                  u"",
                  false,
                  u"abx",
                  false,
                  {u"ab"}},
        MatchCase{"empty pattern matches the empty text", u"", u"", false, u"", true, {u""}}));

TEST(MatchTokens, EmptyTokenListMatchesOnlyTheEmptyText) {
    CaptureList captures;
    EXPECT_TRUE(matchTokens(u"", {}, 0, captures));
    EXPECT_FALSE(matchTokens(u"a", {}, 0, captures));
    EXPECT_TRUE(captures.empty());
}

TEST(MatchTokens, StartsAtTheGivenToken) {
    const NamePattern p = parsed(u"IMG_#x");
    CaptureList captures;
    EXPECT_TRUE(matchTokens(u"12x", p.tokens, 1, captures));
    EXPECT_EQ(texts(captures), (std::vector<std::u16string>{u"12", u"x"}));
}

struct SplitCase {
    std::u16string name;
    bool includesExtension;
    std::u16string base;
    std::u16string extension;
};

class SplitForPattern : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitForPattern, SetsAsideFromTheLastPeriod) {
    const SplitName s = splitForPattern(GetParam().name, GetParam().includesExtension);
    EXPECT_EQ(std::u16string(s.base), GetParam().base);
    EXPECT_EQ(std::u16string(s.extension), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitForPattern,
                         testing::Values(SplitCase{u"archive.tar.gz", false, u"archive.tar",
                                                   u".gz"},
                                         SplitCase{u"README", false, u"README", u""},
                                         SplitCase{u".profile", false, u"", u".profile"},
                                         SplitCase{u"x.", false, u"x", u"."},
                                         SplitCase{u"a.tar.gz", true, u"a.tar.gz", u""}));

// The matcher as first described: every wildcard trial copies the capture list and
// tries the rest afresh. Exponential, so only for short inputs.
bool referenceMatch(std::u16string_view text, const TokenList& tokens, size_t t,
                    CaptureList& captures) {
    if (t == tokens.size())
        return text.empty();
    const PatternToken& token = tokens[t];
    if (token.kind == TokenKind::Text) {
        if (!text.starts_with(token.matchText))
            return false;
        captures.push_back({&token, token.matchText});
        return referenceMatch(text.substr(token.matchText.size()), tokens, t + 1, captures);
    }
    if (token.kind == TokenKind::Number) {
        size_t n = 0;
        while (n < text.size() && n < 260 && text[n] >= u'0' && text[n] <= u'9')
            ++n;
        if (n == 0)
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
    const std::u16string alphabet = u"ab1.";
    const std::u16string patternAlphabet = u"ab1.*#*#";
    auto pick = [&](const std::u16string& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(rng)];
    };
    int matched = 0;
    for (int round = 0; round < 10000; ++round) {
        std::u16string base, name;
        const size_t patternLength = rng() % 9;
        for (size_t i = 0; i < patternLength; ++i)
            base += pick(patternAlphabet);
        const size_t nameLength = rng() % 12;
        for (size_t i = 0; i < nameLength; ++i)
            name += pick(alphabet);
        const bool extension = rng() % 4 == 0;
        const NamePattern p = parsed(base, extension ? u".*" : u".a", rng() % 2 == 0);

        CaptureList expected, actual;
        const bool want = referenceMatch(name, p.tokens, 0, expected);
        ASSERT_EQ(matchTokens(name, p.tokens, 0, actual), want)
            << std::string(base.begin(), base.end()) << " vs "
            << std::string(name.begin(), name.end());
        ASSERT_EQ(keyed(actual), keyed(expected)) << std::string(base.begin(), base.end()) << " vs "
                                                  << std::string(name.begin(), name.end());
        matched += want;
    }
    EXPECT_GT(matched, 500); // the generator must exercise successes too
}

TEST(MatchTokens, ManyWildcardsAgainstANearMissStillGivesTheLiteralAnswer) {
    // Exponential for the literal matcher; memoised failures keep it polynomial.
    std::u16string base;
    for (int i = 0; i < 30; ++i)
        base += u"*a";
    base += u"*b";
    const NamePattern p = parsed(base);
    CaptureList captures;
    EXPECT_FALSE(matchTokens(std::u16string(255, u'a'), p.tokens, 0, captures));
    EXPECT_EQ(texts(captures), (std::vector<std::u16string>{u""}));
    EXPECT_TRUE(matchTokens(std::u16string(254, u'a') + u"b", p.tokens, 0, captures));
}

struct MinimumCase {
    const char* what;
    std::u16string base;
    std::vector<std::u16string> names;
    std::vector<std::u16string> notTakingPart;
    std::vector<int64_t> minimums; // per number field, in pattern order
};

void PrintTo(const MinimumCase& c, std::ostream* os) {
    *os << c.what;
}

class CollectNumberMinimums : public testing::TestWithParam<MinimumCase> {};

TEST_P(CollectNumberMinimums, TakesTheSmallestValueOfEachField) {
    const MinimumCase& c = GetParam();
    RecordSet set;
    test::fillNameSet(set, c.names);
    for (const auto& name : c.notTakingPart)
        test::fileNamed(set, name)->takesPart = false;
    NamePattern p = parsed(c.base);
    for (auto& t : p.tokens)
        t.minimum = 42; // fields no file reaches keep what they had
    collectNumberMinimums(set, p);
    std::vector<int64_t> minimums;
    for (const auto& t : p.tokens)
        if (t.kind == TokenKind::Number)
            minimums.push_back(t.minimum);
    EXPECT_EQ(minimums, c.minimums);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollectNumberMinimums,
    testing::Values(
        MinimumCase{"numeric, not textual, order", u"a#", {u"a7", u"a12", u"a003"}, {}, {3}},
        MinimumCase{"each field on its own", u"x#y#", {u"x1y9", u"x3y2"}, {}, {1, 2}},
        MinimumCase{"extension set aside", u"a#", {u"a5.jpg", u"a9.png"}, {}, {5}},
        MinimumCase{"a name that does not fit does not count", u"a#", {u"a5", u"b1"}, {}, {5}},
        MinimumCase{"a file left out does not count", u"a#", {u"a5", u"a1"}, {u"a1"}, {5}},
        MinimumCase{"no file reaches the field", u"a#", {u"b1"}, {}, {42}},
        MinimumCase{"more than 18 digits wrap around", u"#", {u"18446744073709551617"}, {}, {1}}));

} // namespace
} // namespace mr
