#include "pattern/alignment.h"
#include "platform/common/utf8.h"
#include "support/pattern_support.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace mr {
namespace {

using test::parsed;

// Pattern texts; '|' separates an included extension.
NamePattern variantOf(const std::u16string& text) {
    const size_t bar = text.find(u'|');
    if (bar == std::u16string::npos)
        return parsed(text);
    return parsed(text.substr(0, bar), text.substr(bar + 1), true);
}

TEST(AlignVariants, PairsTextsAndTheFieldsBetweenThem) {
    const struct {
        std::u16string previous, next;
        std::vector<int32_t> map;
    } cases[] = {
        // clang-format off
        {u"p*q*r", u"p*r", {0, -1, 4}},            // a wildcard whose neighbours are four apart
        {u"IMG_#", u"IMG_#|.jpg", {0, 1, -1}},     // a number paired through its left text
        {u"a*b#c", u"a*b#c", {0, 1, 2, 3, 4}},
        {u"x*y", u"y*x", {-1, -1, 0}},             // on a tie the skip in the new variant wins
        {u"a*b", u"a*b|.*", {0, 1, 2, -1}},        // the extension wildcard keeps its own
        {u"a#b", u"a*b", {0, -1, 2}},              // a wildcard is not paired with a number
        {u"a", u"b", {-1}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(alignVariants(variantOf(c.next), variantOf(c.previous)), c.map)
            << toUtf8(c.previous) << " / " << toUtf8(c.next);
}

// The alignment written plainly: every trial runs on its own copy of the map.
int referenceAlign(const AlignmentContext& c, size_t i, size_t j, std::vector<int32_t>& map) {
    const auto& x = c.x;
    const auto& y = c.y;
    auto agree = [](const PatternToken* a, const PatternToken* b) {
        return a->kind == TokenKind::Text && b->kind == TokenKind::Text &&
               a->matchText == b->matchText;
    };
    if (j >= y.size())
        return 0;
    if (i >= x.size()) {
        for (size_t k = j; k < y.size(); ++k)
            map[k] = -1;
        return 0;
    }
    int count = 0;
    while (agree(x[i], y[j])) {
        map[j] = static_cast<int32_t>(i);
        ++count;
        ++i;
        ++j;
        if (i >= x.size() || j >= y.size())
            return count;
    }
    const size_t rX = x.size() - i, rY = y.size() - j, m = std::max(rX, rY);
    for (size_t d = 1; d < m; ++d) {
        bool found = false;
        int best = 0;
        std::vector<int32_t> bestMap;
        if (d < rY && y[j + d]->kind == TokenKind::Text)
            for (size_t k = 0; k < d && k < rX; ++k)
                if (agree(x[i + k], y[j + d])) {
                    bestMap = map;
                    best = referenceAlign(c, i + k, j + d, bestMap);
                    found = true;
                    break;
                }
        if (d < rX && x[i + d]->kind == TokenKind::Text)
            for (size_t k = 0; k < d && k < rY; ++k)
                if (agree(y[j + k], x[i + d])) {
                    std::vector<int32_t> other = map;
                    const int r = referenceAlign(c, i + d, j + k, other);
                    if (!found || r > best) {
                        best = r;
                        bestMap = other;
                        found = true;
                    }
                    break;
                }
        if (found) {
            map = bestMap;
            return count + best;
        }
        if (d < rX && d < rY && agree(x[i + d], y[j + d])) {
            std::vector<int32_t> copy = map;
            const int r = referenceAlign(c, i + d, j + d, copy);
            map = copy;
            return count + r;
        }
    }
    return count;
}

TEST(AlignTokens, AgreesWithTheLiteralAlignmentOnRandomVariants) {
    std::mt19937 rng(99);
    const std::u16string pieces = u"abc*#";
    for (int round = 0; round < 5000; ++round) {
        std::u16string a, b;
        for (size_t n = rng() % 9; n > 0; --n)
            a += pieces[rng() % pieces.size()];
        for (size_t n = rng() % 9; n > 0; --n)
            b += pieces[rng() % pieces.size()];
        const NamePattern previous = parsed(a), next = parsed(b);
        const AlignmentContext context = makeAlignmentContext(previous, next);
        // Start from arbitrary entries: positions the alignment skips keep them.
        std::vector<int32_t> expected(next.tokens.size());
        for (auto& e : expected)
            e = static_cast<int32_t>(rng() % 5) - 1;
        std::vector<int32_t> actual = expected;
        const size_t i = rng() % 3, j = rng() % 3;
        const int want = referenceAlign(context, i, j, expected);
        ASSERT_EQ(alignTokens(context, i, j, actual), want)
            << std::string(a.begin(), a.end()) << " / " << std::string(b.begin(), b.end());
        ASSERT_EQ(actual, expected)
            << std::string(a.begin(), a.end()) << " / " << std::string(b.begin(), b.end());
    }
}

TEST(TransferFieldSettings, CarriesEditsAcrossATrailingExtensionText) {
    NamePattern without = parsed(u"IMG_#x", u".jpg", false);
    NamePattern with = parsed(u"IMG_#x", u".jpg", true);
    setTokenText(without.tokens[0], u"Pic");
    setTokenText(without.tokens[2], u"y");
    PatternToken& number = without.tokens[1];
    std::tie(number.renumber, number.startNumber, number.zeroMode, number.length, number.minimum) =
        std::tuple(true, 1, 1u, 3, 7);
    with.tokens[1].minimum = 9;
    transferFieldSettings(with, without);
    EXPECT_EQ(with.tokens[0].newText, u"Pic");
    EXPECT_FALSE(with.tokens[0].keepMatched);
    EXPECT_EQ(with.tokens[2].newText, u"x.jpg"); // holds the extension in one variant only
    const PatternToken& moved = with.tokens[1];
    EXPECT_TRUE(moved.renumber);
    EXPECT_EQ(moved.startNumber, 1);
    EXPECT_EQ(moved.zeroMode, 1u);
    EXPECT_EQ(moved.length, 3);
    EXPECT_EQ(moved.minimum, 9); // each variant keeps the minimum of its own matches
}

TEST(TransferFieldSettings, SwitchingOnAndOffKeepsTheSettings) {
    NamePattern edited = parsed(u"a*b#c");
    setTokenText(edited.tokens[2], u"B<x>");
    std::tie(edited.tokens[1].truncate, edited.tokens[1].length, edited.tokens[1].caseMode) =
        std::tuple(true, 2, 2u);
    edited.tokens[3].clearNumber = true;
    NamePattern other = parsed(u"a*b#c", u".*", true);
    transferFieldSettings(other, edited);
    NamePattern back = parsed(u"a*b#c");
    transferFieldSettings(back, other);
    for (size_t k = 0; k < edited.tokens.size(); ++k) {
        const PatternToken& want = edited.tokens[k];
        const PatternToken& got = back.tokens[k];
        EXPECT_EQ(std::tie(got.newText, got.keepMatched, got.hasInvalidChars, got.truncate,
                           got.length, got.caseMode, got.clearNumber),
                  std::tie(want.newText, want.keepMatched, want.hasInvalidChars, want.truncate,
                           want.length, want.caseMode, want.clearNumber))
            << k;
    }
    EXPECT_FALSE(other.tokens.back().truncate); // the extension wildcard is never paired

    // A kept text travels, but does not overwrite a text edited here before.
    NamePattern previous = parsed(u"*a"), next = parsed(u"*a");
    setTokenText(next.tokens[0], u"typed");
    transferFieldSettings(next, previous);
    EXPECT_TRUE(next.tokens[0].keepMatched);
    EXPECT_EQ(next.tokens[0].newText, u"typed");
}

} // namespace
} // namespace mr
