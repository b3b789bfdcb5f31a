#include "derivation_support.h"
#include "pattern/middle_derivation.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::baseOf;
using test::makeSet;

struct BaseCase {
    const char* what;
    std::vector<std::u16string> names; // in derivation order, extensions already off
    bool detectNumbers;
    std::u16string expected;
};

class BasePattern : public testing::TestWithParam<BaseCase> {};

TEST_P(BasePattern, IsDerivedExactly) {
    EXPECT_EQ(baseOf(GetParam().names, GetParam().detectNumbers), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BasePattern,
    testing::Values(
        BaseCase{"camera numbers", {u"IMG_1234", u"IMG_5678"}, true, u"IMG_#"},
        BaseCase{
            "camera numbers as text share no digit", {u"IMG_1234", u"IMG_5678"}, false, u"IMG_*"},
        BaseCase{"identical names", {u"a", u"a"}, true, u"a"},
        BaseCase{"common digits join the marker",
                 {u"Holiday 2019 Rome", u"Holiday 2020 Paris"},
                 true,
                 u"Holiday # *"},
        BaseCase{"as text the parts split at the space",
                 {u"Holiday 2019 Rome", u"Holiday 2020 Paris"},
                 false,
                 u"Holiday 20* *"},
        BaseCase{
            "digit before the difference, empty middle", {u"file1", u"file1a"}, true, u"file#*"},
        BaseCase{"literal hash before a number", {u"x#1", u"y#2"}, true, u"*\\##"},
        BaseCase{"single name is its own pattern", {u"a#b"}, true, u"a\\#b"},
        BaseCase{"numbers of different width", {u"a7b", u"a12b"}, true, u"a#b"},
        BaseCase{"suffix digit step keeps the first character",
                 {u"#18", u"#6", u"Song #15"},
                 true,
                 u"*\\##"},
        BaseCase{"a marker never steps over the first character", {u"0", u"b0a1"}, true, u"*0*#"},
        BaseCase{"empty prefix stops the search while covering", {u"", u"", u"notes"}, true, u""},
        BaseCase{"a number field that one name does not fit", {u"11", u"1a1"}, true, u"#*1"},
        BaseCase{"dashes as text", {u"x-1-y", u"z-2-w"}, false, u"*-*-*"},
        BaseCase{"dashes around a number", {u"x-1-y", u"z-2-w"}, true, u"*-#-*"},
        BaseCase{"nothing at all", {}, true, u""},
        BaseCase{"case differs", {u"Photo", u"photo"}, true, u"*hoto"},
        BaseCase{"prefix with a non-digit after the run", {u"a1x", u"a12"}, true, u"a#*"},
        BaseCase{"suffix only", {u"ab_end", u"cd_end"}, true, u"*_end"},
        BaseCase{"prefix and suffix around numbers", {u"s01e02x", u"s01e10x"}, true, u"s01e#x"},
        BaseCase{"episodes as text", {u"s01e02", u"s01e10"}, false, u"s01e*0*"}));

struct MarkCase {
    const char* what;
    std::u16string text;
    size_t position;
    std::u16string expected;
    size_t after;
};

class MarkDigitRun : public testing::TestWithParam<MarkCase> {};

TEST_P(MarkDigitRun, ReplacesTheRunByOneMarker) {
    std::u16string text = GetParam().text;
    EXPECT_EQ(markDigitRun(text, GetParam().position, u':'), GetParam().after);
    EXPECT_EQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkDigitRun,
    testing::Values(MarkCase{"run around the position", u"a12b", 2, u"a:b", 2},
                    MarkCase{"run at the start", u"12", 0, u":", 1},
                    MarkCase{"position at the end", u"a12", 3, u"a:", 2},
                    MarkCase{"non-digit at the position stays", u"a1x", 2, u"a:x", 2},
                    MarkCase{"run ahead only", u"x9y", 1, u"x:y", 2},
                    MarkCase{"earlier marker is no digit", u":12", 2, u"::", 2}));

struct ExtensionCase {
    const char* what;
    std::vector<std::u16string> names;
    std::u16string extension;
    std::vector<std::u16string> collected; // in the set's order
};

class CollectNames : public testing::TestWithParam<ExtensionCase> {};

TEST_P(CollectNames, SplitsOffTheCommonExtension) {
    auto set = makeSet(GetParam().names);
    DerivationContext context(true);
    collectNames(context, *set);
    EXPECT_EQ(context.extension, GetParam().extension);
    EXPECT_EQ(context.names, GetParam().collected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CollectNames,
    testing::Values(
        ExtensionCase{"shared extension", {u"a.jpg", u"b.jpg"}, u".jpg", {u"a", u"b"}},
        ExtensionCase{"extensions differ in case", {u"a.JPG", u"b.jpg"}, u".*", {u"a", u"b"}},
        ExtensionCase{"one name without period", {u"a.txt", u"b"}, u"", {u"a", u"b"}},
        ExtensionCase{"only the last period counts",
                      {u"a.tar.gz", u"b.tar.gz"},
                      u".gz",
                      {u"a.tar", u"b.tar"}},
        ExtensionCase{
            "dot file is all extension", {u".profile", u"x.profile"}, u".profile", {u"", u"x"}},
        ExtensionCase{"no files", {}, u"", {}},
        ExtensionCase{
            "differing then equal again", {u"a.x", u"b.y", u"c.x"}, u".*", {u"a", u"b", u"c"}}));

struct FlagsCase {
    const char* what;
    std::vector<std::u16string> names;
    CheckBoxFlags before;
    bool numbersAsText;
    CheckBoxFlags after;
};

class CheckBoxRules : public testing::TestWithParam<FlagsCase> {};

TEST_P(CheckBoxRules, FollowTheDerivedTexts) {
    auto set = makeSet(GetParam().names);
    PatternVariants variants;
    CheckBoxFlags flags = GetParam().before;
    buildPatternVariants(*set, variants, flags, GetParam().numbersAsText);
    const CheckBoxFlags& e = GetParam().after;
    EXPECT_EQ(flags.allowExtensionChanges, e.allowExtensionChanges);
    EXPECT_EQ(flags.allowExtensionChangesEnabled, e.allowExtensionChangesEnabled);
    EXPECT_EQ(flags.numbersAsText, e.numbersAsText);
    EXPECT_EQ(flags.numbersAsTextEnabled, e.numbersAsTextEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckBoxRules,
    testing::Values(
        FlagsCase{"numbers and extension",
                  {u"a1.jpg", u"a2.jpg"},
                  {true, true, true, true},
                  false,
                  {true, true, true, true}},
        FlagsCase{"no extension clears the box",
                  {u"a1.jpg", u"a2"},
                  {true, true, true, true},
                  false,
                  {false, false, true, true}},
        FlagsCase{"no number field clears numbers as text",
                  {u"ab.txt", u"cb.txt"},
                  {false, true, true, true},
                  false,
                  {false, true, false, false}},
        FlagsCase{"an escaped hash counts as a hash",
                  {u"a#.txt", u"b#.txt"},
                  {false, true, true, true},
                  false,
                  {false, true, true, true}},
        FlagsCase{"numbers as text leaves its own box alone",
                  {u"ab.txt", u"cb.txt"},
                  {true, true, true, false},
                  true,
                  {true, true, true, false}},
        FlagsCase{"empty set", {}, {true, true, true, true}, false, {false, false, false, false}}));

TEST(BuildPatternVariants, FillsTheTwoVariantsOfTheNumberMode) {
    auto set = makeSet({u"IMG_1234.jpg", u"IMG_5678.jpg"});
    PatternVariants variants;
    CheckBoxFlags flags;
    buildPatternVariants(*set, variants, flags, false);
    buildPatternVariants(*set, variants, flags, true);
    const std::u16string texts[4] = {u"IMG_#", u"IMG_#.jpg", u"IMG_*", u"IMG_*.jpg"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(variants[i].patternText, texts[i]) << i;
        EXPECT_EQ(variants[i].includesExtension, i % 2 == 1) << i;
    }
    EXPECT_EQ(variants[1].tokens.back().matchText, u".jpg");
}

struct PosixCase {
    const char* what;
    std::vector<std::u16string> names;
    bool detectNumbers;
    std::u16string expected;
};

class PosixNames : public testing::TestWithParam<PosixCase> {};

TEST_P(PosixNames, EscapeWhatThePatternLanguageReads) {
    const auto& c = GetParam();
    const std::u16string pattern = baseOf(c.names, c.detectNumbers, NameRules::posix());
    EXPECT_EQ(pattern, c.expected);
    for (const auto& name : c.names)
        EXPECT_TRUE(test::fits(pattern, name)) << toUtf8(name);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PosixNames,
    testing::Values(PosixCase{"star before a number", {u"a*1", u"a*2"}, true, u"a\\*#"},
                    PosixCase{"backslash before a number", {u"x\\1", u"x\\22"}, true, u"x\\\\#"},
                    PosixCase{"colon is an ordinary character", {u"a:1", u"a:2"}, true, u"a:#"},
                    PosixCase{"colon as text", {u"a:1", u"b:2"}, false, u"*:*"},
                    PosixCase{"star in the middle", {u"x*y1", u"z*w2"}, false, u"*\\**"},
                    PosixCase{"single name with every special", {u"#*\\:"}, true, u"\\#\\*\\\\:"}));

TEST(MiddleDerivation, SplitsAroundSharedPiecesInOrder) {
    DerivationContext context(false);
    context.names = {u"XaYbZ", u"WaVbU"};
    buildCommonCharTable(context);
    EXPECT_EQ(deriveMiddle(context, context.names), u"*a*b*");
}

struct PieceCase {
    const char* what;
    std::vector<std::u16string> parts;
    std::u16string table; // characters set in the table
    std::u16string base;
    std::u16string piece;
};

class LongestCommonRun : public testing::TestWithParam<PieceCase> {};

TEST_P(LongestCommonRun, TakesTheEarliestLongest) {
    DerivationContext context(false);
    context.charTable.assign(kCharTableSize, 0);
    for (char16_t c : GetParam().table)
        context.charTable[c] = 1;
    EXPECT_EQ(pickBase(context, GetParam().parts), GetParam().base);
    EXPECT_EQ(longestCommonRun(context, GetParam().parts), GetParam().piece);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LongestCommonRun,
    testing::Values(
        PieceCase{"equal counts take the earlier base", {u"ab", u"ba"}, u"ab", u"ab", u"a"},
        PieceCase{"fewest table characters", {u"abcab", u"ab"}, u"ab", u"ab", u"ab"},
        PieceCase{
            "equal length takes the earlier start", {u"xy-zw", u"zw-xy"}, u"xyzw", u"xy-zw", u"xy"},
        PieceCase{"empty part cuts every run", {u"ab", u"", u"ab"}, u"ab", u"", u""},
        PieceCase{"run broken by a character outside the table",
                  {u"abXcd", u"abYcd"},
                  u"abcd",
                  u"abXcd",
                  u"ab"}));

struct NumberPieceCase {
    const char* what;
    std::vector<std::u16string> parts;
    std::u16string piece;
};

class BestCommonRunWithNumbers : public testing::TestWithParam<NumberPieceCase> {};

TEST_P(BestCommonRunWithNumbers, ScoresTheCoveredCharacters) {
    DerivationContext context(true);
    context.names = GetParam().parts;
    buildCommonCharTable(context);
    EXPECT_EQ(bestCommonRunWithNumbers(context, context.names), GetParam().piece);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BestCommonRunWithNumbers,
    testing::Values(NumberPieceCase{"marker between dashes", {u"x-1-y", u"z-2-w"}, u"-:-"},
                    NumberPieceCase{"marker covers runs of any width", {u"a7b", u"a2024b"}, u"a:b"},
                    NumberPieceCase{"equal digits stay literal", {u"v1.2x", u"v1.2y"}, u"v1.2"},
                    NumberPieceCase{"no marker matches the empty text", {u"ab1", u"a1b"}, u"a"},
                    NumberPieceCase{"an empty part scores nothing", {u"1", u"", u"1"}, u""}));

TEST(CommonCharTable, HighEntriesStayOnceTheAlphabetIsSmall) {
    DerivationContext context(true);
    context.names = {u"\u20ACa1", u"ab2", u"\u20ACb"};
    buildCommonCharTable(context);
    EXPECT_TRUE(context.smallAlphabet);
    EXPECT_FALSE(context.useNumberRuns);
    EXPECT_EQ(context.charTable[u'\u20AC'], 1);
    EXPECT_EQ(context.charTable[u'a'], 0);
    EXPECT_EQ(context.charTable[u'b'], 0);
    EXPECT_EQ(context.charTable[u'1'], 0);
}

} // namespace
} // namespace mr
