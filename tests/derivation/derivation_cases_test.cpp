// Pinned results of the derivation; the plain reference forms cover the search itself.
#include "derivation_support.h"
#include "pattern/middle_derivation.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using test::baseOf;
using test::makeSet;
using Names = std::vector<std::u16string>;

TEST(BasePattern, IsDerivedExactly) {
    const struct {
        Names names; // in derivation order, extensions already off
        bool detectNumbers;
        std::u16string expected;
    } cases[] = {
        // clang-format off
        {{u"IMG_1234", u"IMG_5678"}, true, u"IMG_#"},
        {{u"a", u"a"}, true, u"a"},
        {{u"Holiday 2019 Rome", u"Holiday 2020 Paris"}, true, u"Holiday # *"},
        {{u"Holiday 2019 Rome", u"Holiday 2020 Paris"}, false, u"Holiday 20* *"},
        {{u"file1", u"file1a"}, true, u"file#*"},           // digit before the difference
        {{u"x#1", u"y#2"}, true, u"*\\##"},
        {{u"a#b"}, true, u"a\\#b"},                          // a single name is its own pattern
        {{u"a7b", u"a12b"}, true, u"a#b"},
        {{u"#18", u"#6", u"Song #15"}, true, u"*\\##"},      // suffix digit step keeps the first character
        {{u"0", u"b0a1"}, true, u"*0*#"},                    // a marker never steps over the first character
        {{u"", u"", u"notes"}, true, u""},                   // empty prefix stops the search while covering
        {{u"11", u"1a1"}, true, u"#*1"},
        {{}, true, u""},
        {{u"Photo", u"photo"}, true, u"*hoto"},
        {{u"a1x", u"a12"}, true, u"a#*"},
        {{u"ab_end", u"cd_end"}, true, u"*_end"},
        {{u"s01e02x", u"s01e10x"}, true, u"s01e#x"},
        {{u"XaYbZ", u"WaVbU"}, false, u"*a*b*"},
        {{u"av1.2x", u"bv1.2y"}, true, u"*v1.2*"},           // equal digits stay literal
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(baseOf(c.names, c.detectNumbers), c.expected) << testing::PrintToString(c.names);
}

TEST(MarkDigitRun, ReplacesTheRunByOneMarker) {
    const struct {
        std::u16string text;
        size_t position;
        std::u16string expected;
        size_t after;
    } cases[] = {{u"a12b", 2, u"a:b", 2}, {u"12", 0, u":", 1},    {u"a12", 3, u"a:", 2},
                 {u"a1x", 2, u"a:x", 2},  {u"x9y", 1, u"x:y", 2}, {u":12", 2, u"::", 2}};
    for (const auto& c : cases) {
        std::u16string text = c.text;
        EXPECT_EQ(markDigitRun(text, c.position, u':'), c.after) << c.position;
        EXPECT_EQ(text, c.expected);
    }
}

TEST(CollectNames, SplitsOffTheCommonExtension) {
    const struct {
        Names names;
        std::u16string extension;
        Names collected; // in the set's order
    } cases[] = {
        // clang-format off
        {{u"a.jpg", u"b.jpg"}, u".jpg", {u"a", u"b"}},
        {{u"a.JPG", u"b.jpg"}, u".*", {u"a", u"b"}},
        {{u"a.txt", u"b"}, u"", {u"a", u"b"}},
        {{u"a.tar.gz", u"b.tar.gz"}, u".gz", {u"a.tar", u"b.tar"}},
        {{u".profile", u"x.profile"}, u".profile", {u"", u"x"}},
        {{}, u"", {}},
        {{u"a.x", u"b.y", u"c.x"}, u".*", {u"a", u"b", u"c"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        DerivationContext context(true);
        collectNames(context, *makeSet(c.names));
        EXPECT_EQ(context.extension, c.extension);
        EXPECT_EQ(context.names, c.collected);
    }
}

// The four flags in field order, as "1010".
std::string flagsOf(const CheckBoxFlags& f) {
    return {f.allowExtensionChanges ? '1' : '0', f.allowExtensionChangesEnabled ? '1' : '0',
            f.numbersAsText ? '1' : '0', f.numbersAsTextEnabled ? '1' : '0'};
}

TEST(CheckBoxRules, FollowTheDerivedTexts) {
    const struct {
        Names names;
        bool numbersAsText;
        std::string after; // every flag set before
    } cases[] = {
        {{u"a1.jpg", u"a2.jpg"}, false, "1111"},
        {{u"a1.jpg", u"a2"}, false, "0011"},     // no extension clears the box
        {{u"ab.txt", u"cb.txt"}, false, "1100"}, // no number field clears numbers as text
        {{u"a#.txt", u"b#.txt"}, false, "1111"}, // an escaped hash counts as a hash
        {{u"ab.txt", u"cb.txt"}, true, "1111"},  // numbers as text leaves its own box alone
        {{}, false, "0000"},
    };
    for (const auto& c : cases) {
        PatternVariants variants;
        CheckBoxFlags flags{true, true, true, true};
        buildPatternVariants(*makeSet(c.names), variants, flags, c.numbersAsText);
        EXPECT_EQ(flagsOf(flags), c.after) << testing::PrintToString(c.names);
    }
}

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

TEST(PosixNames, EscapeWhatThePatternLanguageReads) {
    const struct {
        Names names;
        bool detectNumbers;
        std::u16string expected;
    } cases[] = {
        {{u"a*1", u"a*2"}, true, u"a\\*#"},    {{u"x\\1", u"x\\22"}, true, u"x\\\\#"},
        {{u"a:1", u"a:2"}, true, u"a:#"},      {{u"a:1", u"b:2"}, false, u"*:*"},
        {{u"x*y1", u"z*w2"}, false, u"*\\**"}, {{u"#*\\:"}, true, u"\\#\\*\\\\:"},
    };
    for (const auto& c : cases) {
        const std::u16string pattern = baseOf(c.names, c.detectNumbers, NameRules::posix());
        EXPECT_EQ(pattern, c.expected);
        for (const auto& name : c.names)
            EXPECT_TRUE(test::fits(pattern, name)) << toUtf8(name);
    }
}

// The reference forms share the engine's choice of base part: its tie-breaks are pinned here.
TEST(PickBase, TakesTheFewestTableCharactersThenTheEarliest) {
    const struct {
        Names parts;
        std::u16string table; // characters set in the table
        std::u16string base, piece;
    } cases[] = {
        {{u"ab", u"ba"}, u"ab", u"ab", u"a"},
        {{u"abcab", u"ab"}, u"ab", u"ab", u"ab"},
        {{u"xy-zw", u"zw-xy"}, u"xyzw", u"xy-zw", u"xy"},
        {{u"ab", u"", u"ab"}, u"ab", u"", u""},
        {{u"abXcd", u"abYcd"}, u"abcd", u"abXcd", u"ab"},
    };
    for (const auto& c : cases) {
        DerivationContext context(false);
        context.charTable.assign(kCharTableSize, 0);
        for (char16_t ch : c.table)
            context.charTable[ch] = 1;
        EXPECT_EQ(pickBase(context, c.parts), c.base);
        EXPECT_EQ(longestCommonRun(context, c.parts), c.piece);
    }
}

} // namespace
} // namespace mr
