#include "pattern/case_mapping.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

struct CaseRow {
    char16_t c;
    char16_t upper;
    char16_t lower;
};

TEST(CaseMapping, SimpleMappingsOfOneUnit) {
    const CaseRow rows[] = {
        {u'a', u'A', u'a'},
        {u'Z', u'Z', u'z'},
        {u'5', u'5', u'5'},
        {u'\u00E9', u'\u00C9', u'\u00E9'}, // é
        {u'\u00FF', u'\u0178', u'\u00FF'}, // ÿ maps outside Latin-1
        {u'\u00B5', u'\u039C', u'\u00B5'}, // micro sign to Greek capital mu
        {u'\u00DF', u'\u00DF', u'\u00DF'}, // ß: "SS" is not one unit
        {u'\u1E9E', u'\u1E9E', u'\u00DF'}, // capital sharp s
        {u'\u0130', u'\u0130', u'i'},      // İ
        {u'\u0131', u'I', u'\u0131'},      // dotless i
        {u'\u017F', u'S', u'\u017F'},      // long s
        {u'\u0101', u'\u0100', u'\u0101'}, // alternating pairs
        {u'\u0100', u'\u0100', u'\u0101'},
        {u'\u012F', u'\u012E', u'\u012F'},
        {u'\u01C5', u'\u01C4', u'\u01C6'}, // title case Dž
        {u'\u01F0', u'\u01F0', u'\u01F0'}, // ǰ has only a full mapping
        {u'\u03C2', u'\u03A3', u'\u03C2'}, // final sigma
        {u'\u0390', u'\u0390', u'\u0390'},
        {u'\u0430', u'\u0410', u'\u0430'}, // Cyrillic
        {u'\u0450', u'\u0400', u'\u0450'},
        {u'\u10D0', u'\u1C90', u'\u10D0'}, // Georgian Mkhedruli
        {u'\u13A0', u'\u13A0', u'\uAB70'}, // Cherokee
        {u'\u2C65', u'\u023A', u'\u2C65'},
        {u'\u212A', u'\u212A', u'k'},      // Kelvin sign
        {u'\u2160', u'\u2160', u'\u2170'}, // Roman numeral
        {u'\u24D0', u'\u24B6', u'\u24D0'}, // circled letters
        {u'\uFF41', u'\uFF21', u'\uFF41'}, // full width
        {u'\uFB00', u'\uFB00', u'\uFB00'}, // ligature ff
        {u'\u4E00', u'\u4E00', u'\u4E00'},
        {char16_t(0xD801), char16_t(0xD801), char16_t(0xD801)}, // surrogates stay
        {char16_t(0xDC28), char16_t(0xDC28), char16_t(0xDC28)},
        {u'\uFFFF', u'\uFFFF', u'\uFFFF'},
        {u'\0', u'\0', u'\0'},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(toSimpleUpper(r.c), r.upper) << std::hex << int(r.c);
        EXPECT_EQ(toSimpleLower(r.c), r.lower) << std::hex << int(r.c);
    }
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
