#include "pattern/alignment.h"
#include "support/pattern_support.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

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
        {u"x*y", u"y*x", {-1, -1, 0}},             // on a tie the skip in the new variant wins
        {u"a*b", u"a*b|.*", {0, 1, 2, -1}},        // the extension wildcard keeps its own
        {u"a#b", u"a*b", {0, -1, 2}},              // a wildcard is not paired with a number
        {u"b*a#", u"#", {4, -1, -1}},             // the nearest agreeing text on each side
        {u"#c*", u"c*", {2, 3, 4}},               // the longer of two skips wins
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(alignVariants(variantOf(c.next), variantOf(c.previous)), c.map)
            << toUtf8(c.previous) << " / " << toUtf8(c.next);
}

TEST(TransferFieldSettings, CarriesEditsAcrossATrailingExtensionText) {
    NamePattern without = parsed(u"IMG_#x", u".jpg", false);
    NamePattern with = parsed(u"IMG_#x", u".jpg", true);
    setTokenText(without.tokens[0], u"Pic");
    setTokenText(without.tokens[2], u"y");
    PatternToken& number = without.tokens[1];
    std::tie(number.renumber, number.startNumber, number.zeroMode, number.length, number.minimum) =
        std::tuple(true, 1, ZeroMode::Make, 3, 7);
    with.tokens[1].minimum = 9;
    transferFieldSettings(with, without);
    // The last text holds the extension in one variant only.
    EXPECT_EQ(std::tie(with.tokens[0].newText, with.tokens[0].keepMatched, with.tokens[2].newText),
              std::tuple(u"Pic", false, u"x.jpg"));
    const PatternToken& moved = with.tokens[1]; // each variant keeps its own matches' minimum
    EXPECT_EQ(
        std::tie(moved.renumber, moved.startNumber, moved.zeroMode, moved.length, moved.minimum),
        std::tuple(true, 1, ZeroMode::Make, 3, 9));
}

TEST(TransferFieldSettings, SwitchingOnAndOffKeepsTheSettings) {
    NamePattern edited = parsed(u"a*b#c");
    setTokenText(edited.tokens[2], u"B<x>");
    std::tie(edited.tokens[1].truncate, edited.tokens[1].length, edited.tokens[1].caseMode) =
        std::tuple(true, 2, CaseMode::Lower);
    edited.tokens[3].clearNumber = true;
    NamePattern other = parsed(u"a*b#c", u".*", true), back = parsed(u"a*b#c");
    transferFieldSettings(other, edited);
    transferFieldSettings(back, other);
    auto settings = [](const PatternToken& t) {
        return std::tie(t.newText, t.keepMatched, t.hasInvalidChars, t.truncate, t.length,
                        t.caseMode, t.clearNumber);
    };
    for (size_t k = 0; k < edited.tokens.size(); ++k)
        EXPECT_EQ(settings(back.tokens[k]), settings(edited.tokens[k])) << k;
    EXPECT_FALSE(other.tokens.back().truncate); // the extension wildcard is never paired
    // A kept text travels, but does not overwrite a text edited here before.
    NamePattern previous = parsed(u"*a"), next = parsed(u"*a");
    setTokenText(next.tokens[0], u"typed");
    transferFieldSettings(next, previous);
    EXPECT_EQ(std::tie(next.tokens[0].keepMatched, next.tokens[0].newText),
              std::tuple(true, u"typed"));
}

} // namespace
} // namespace mr
