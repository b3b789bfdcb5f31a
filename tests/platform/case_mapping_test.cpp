#include "text/case_mapping.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

TEST(CaseMapping, SimpleMappingsOfOneUnit) {
    // Each row: a unit, its upper case, its lower case.
    const char16_t rows[][3] = {
        // clang-format off
        {u'a', u'A', u'a'}, {u'Z', u'Z', u'z'}, {u'5', u'5', u'5'},
        {u'\u00FF', u'\u0178', u'\u00FF'}, // maps outside Latin-1
        {u'\u00DF', u'\u00DF', u'\u00DF'}, // "SS" is not one unit
        {u'\u0130', u'\u0130', u'i'}, {u'\u0131', u'I', u'\u0131'},
        {u'\u01C5', u'\u01C4', u'\u01C6'}, // title case
        {u'\u01F0', u'\u01F0', u'\u01F0'}, // only a full mapping
        {u'\u10D0', u'\u1C90', u'\u10D0'}, {u'\u13A0', u'\u13A0', u'\uAB70'}, {u'\u2C65', u'\u023A', u'\u2C65'},
        {u'\u212A', u'\u212A', u'k'}, {u'\uFF41', u'\uFF21', u'\uFF41'}, {0xD801, 0xD801, 0xD801},
        // clang-format on
    };
    for (const auto& r : rows) {
        EXPECT_EQ(toSimpleUpper(r[0]), r[1]) << std::hex << int(r[0]);
        EXPECT_EQ(toSimpleLower(r[0]), r[2]) << std::hex << int(r[0]);
    }
}

// As many units change as the generated ranges hold (case_table.inc says how many).
TEST(CaseMapping, EveryUnitOfTheRangesMaps) {
    size_t upper = 0, lower = 0;
    for (uint32_t c = 0; c < 0x10000; ++c) {
        upper += toSimpleUpper(static_cast<char16_t>(c)) != c;
        lower += toSimpleLower(static_cast<char16_t>(c)) != c;
    }
    EXPECT_EQ(upper, 1190u);
    EXPECT_EQ(lower, 1173u);
}

TEST(CaseMapping, TextsMapUnitByUnit) {
    std::u16string text = u"Stra\u00DFe \u00C9t\u00E9 \U00010428x"; // a Deseret pair stays
    toSimpleUpper(text);
    EXPECT_EQ(text, u"STRA\u00DFE \u00C9T\u00C9 \U00010428X");
    toSimpleLower(text);
    EXPECT_EQ(text, u"stra\u00DFe \u00E9t\u00E9 \U00010428x");
}

} // namespace
} // namespace mr
