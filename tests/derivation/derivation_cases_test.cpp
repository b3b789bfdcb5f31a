// A few named results of the derivation; the reference forms cover the search itself.
#include "derivation_support.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

using Names = std::vector<std::u16string>;

TEST(BasePattern, IsDerivedExactly) {
    const struct {
        Names names; // in derivation order, extensions already off
        bool detectNumbers;
        std::u16string expected;
        bool posix = false;
    } cases[] = {
        // clang-format off
        {{u"IMG_1234", u"IMG_5678"}, true, u"IMG_#"},                    // common prefix, number
        {{u"ab_end", u"cd_end"}, true, u"*_end"},                       // common suffix, wildcard
        {{u"Holiday 2019 Rome", u"Holiday 2020 Paris"}, true, u"Holiday # *"},
        {{u"Holiday 2019 Rome", u"Holiday 2020 Paris"}, false, u"Holiday 20* *"}, // numbers as text
        {{u"a7b", u"a12b"}, true, u"a#b"},                              // runs of any width
        {{u"1", u"12", u"13"}, true, u"#"},                             // a one-digit beginning
        {{u"a1", u"a2b"}, true, u"a#*"},                                // a longer name not covered
        {{u"0", u"b0a1"}, true, u"*0*#"},                               // an end marker spares a name's first character
        {{u"av1.2x", u"bv1.2y"}, true, u"*v1.2*"},                      // equal digits stay
        {{u"x#1", u"y#2"}, true, u"*\\##"},                             // specials escaped
        {{u"#*\\:"}, true, u"\\#\\*\\\\:", true},                      // one name is its own pattern
        {{}, true, u""},
        // Halves of a pair never stand apart from their other half.
        {{u"\U0001F600a", u"\U0001F601b"}, true, u"*"},              // a shared first half
        {{u"a\U0001F400", u"a\U0001D400"}, true, u"a*"},             // a shared second half
        {{u"\U0001F600x1", u"\U0001F601x2"}, true, u"*x#"},          // before a suffix
        {{u"\U0001F6001a", u"\U0001F6012b"}, true, u"*#*"},          // through the number search
        {{u"\U0001F600x-1", u"\U0001F601x-2"}, false, u"*x-*"},      // and the plain one
        {{u"\U0001F600\U0001F600", u"\U0001F600\U0001F601"}, true, u"\U0001F600*"}, // a whole pair stays
        {{u"\U0001F600a", u"\U0001F601b"}, true, u"*", true},        // under POSIX rules too
        // clang-format on
    };
    for (const auto& c : cases) {
        DerivationContext context(c.detectNumbers,
                                  c.posix ? NameRules::posix() : NameRules::windows());
        context.names.assign(c.names.begin(), c.names.end());
        EXPECT_EQ(deriveBasePattern(context), c.expected) << testing::PrintToString(c.names);
    }
}

TEST(PatternVariants, SplitTheExtensionAndSetTheCheckBoxes) {
    const struct {
        Names names;
        bool numbersAsText;
        std::u16string withExtension; // the current variant's text
        std::string flags;            // allow extension changes, enabled; numbers as text, enabled
    } cases[] = {
        // clang-format off
        {{u"IMG_1234.jpg", u"IMG_5678.jpg"}, false, u"IMG_#.jpg", "1111"},
        {{u"a.tar.gz", u"b.tar.bz2"}, false, u"*.tar.*", "1100"},  // from the last period; no number
        {{u"a1.jpg", u"a2"}, false, u"a#", "0011"},                // a name without one clears it
        {{u"a#.txt", u"b#.txt"}, false, u"*\\#.txt", "1111"},      // an escaped hash counts
        {{u"\U0001F600a.txt", u"\U0001F601b.txt"}, false, u"*.txt", "1100"}, // no half emoji
        {{}, false, u"", "0000"},
        // clang-format on
    };
    for (const auto& c : cases) {
        PatternVariants variants;
        CheckBoxFlags f{true, true, true, true};
        buildPatternVariants(*test::makeSet(c.names), variants, f, c.numbersAsText);
        const std::string flags = {f.allowExtensionChanges ? '1' : '0',
                                   f.allowExtensionChangesEnabled ? '1' : '0',
                                   f.numbersAsText ? '1' : '0', f.numbersAsTextEnabled ? '1' : '0'};
        EXPECT_EQ(variants[c.numbersAsText ? 3 : 1].patternText, c.withExtension)
            << testing::PrintToString(c.names);
        EXPECT_EQ(flags, c.flags) << testing::PrintToString(c.names);
    }
}

} // namespace
} // namespace mr
