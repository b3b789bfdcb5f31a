#include "settings/registry.h"
#include "support/pattern_support.h"
#include "ui/model/field_dialogs.h"

#include <gtest/gtest.h>

#include <tuple>

namespace mr {
namespace {

using Wild = ChangeWildModel;
using Num = ChangeNumberModel;

using test::numberField;
using test::wildcard;

TEST(ChangeWild, OpensFromTheToken) {
    struct Case {
        PatternToken token;
        const char16_t* length;
        bool lengthEnabled, resetEnabled, clearEnabled;
    } cases[] = {
        {wildcard(false, 8, 0), u"8", false, false, true},
        {wildcard(false, 8, 1), u"8", false, true, true},
        {wildcard(true, 3, 0), u"3", true, true, true},
        {wildcard(true, 0, 2), u"0", true, true, false},
    };
    for (const auto& c : cases) {
        Wild m(c.token);
        EXPECT_EQ(m.lengthText, c.length);
        EXPECT_EQ(m.lengthEnabled(), c.lengthEnabled);
        EXPECT_EQ(m.resetEnabled(), c.resetEnabled);
        EXPECT_EQ(m.clearTextEnabled(), c.clearEnabled);
        // The focus leaves whatever control is disabled now.
        EXPECT_EQ(m.isEnabled(Wild::Control::Length), c.lengthEnabled);
    }
}

TEST(ChangeWild, ApplyStoresTheLengthWhateverTheTruncateBox) {
    PatternToken t = wildcard(false, 8, 1);
    Wild m(t);
    m.clearText();
    EXPECT_FALSE(m.clearTextEnabled());
    m.setLengthText(u"12");
    EXPECT_TRUE(m.clearTextEnabled());
    m.setLengthText(u"0");
    m.apply(t); // clear text then OK truncates to nothing
    EXPECT_EQ(std::tie(t.truncate, t.length, t.caseMode), std::tuple(true, 0, 1u));

    PatternToken u = wildcard(true, 3, 2);
    Wild n(u);
    n.setLengthText(u"5");
    n.reset();
    EXPECT_FALSE(n.resetEnabled());
    n.apply(u); // unchecked truncate still stores the length
    EXPECT_EQ(std::tie(u.truncate, u.length, u.caseMode), std::tuple(false, 5, 0u));
}

TEST(ChangeNumber, OpensWithTheLastConfirmedValues) {
    MemorySettingsStore store;
    Registry settings(u"Sorrelcast", store);
    Num fresh(numberField(false, false, 0, -1, 4), settings);
    EXPECT_EQ(fresh.startText, u"1");
    EXPECT_EQ(fresh.digitsText, u"4");
    EXPECT_FALSE(fresh.startEnabled());
    EXPECT_FALSE(fresh.digitsEnabled());
    EXPECT_FALSE(fresh.resetEnabled());

    PatternToken t = numberField(false, true, 1, -1, 4);
    Num m(t, settings);
    EXPECT_TRUE(m.startEnabled());
    EXPECT_TRUE(m.digitsEnabled());
    m.startText = u"12";
    m.digitsText = u"3";
    m.apply(t, settings);
    EXPECT_EQ(std::tie(t.startNumber, t.length, t.zeroMode), std::tuple(12, 3, 1u));

    Num again(numberField(false, false, 0, -1, 4), settings);
    EXPECT_EQ(again.startText, u"12");
    EXPECT_EQ(again.digitsText, u"3");
}

TEST(ChangeNumber, ClearTextDisablesTheZerosButNotAnOpenDigitsEdit) {
    MemorySettingsStore store;
    Registry settings(u"Sorrelcast", store);
    Num m(numberField(false, false, 1, -1, 4), settings);
    m.clearText();
    EXPECT_FALSE(m.clearTextEnabled());
    EXPECT_FALSE(m.isEnabled(Num::Control::Remove));
    EXPECT_TRUE(m.digitsEnabled());
    m.reset();
    EXPECT_TRUE(m.isEnabled(Num::Control::Remove));
}

TEST(ChangeNumber, NoChangeKeepsTheStartButWritesBothSettings) {
    MemorySettingsStore store;
    Registry settings(u"Sorrelcast", store);
    PatternToken t = numberField(false, true, 0, -1, 4);
    t.startNumber = 7;
    Num m(t, settings);
    m.number = Num::Number::NoChange;
    m.startText = u"0";
    m.apply(t, settings);
    EXPECT_FALSE(t.renumber);
    EXPECT_EQ(t.startNumber, 7);
    uint32_t stored = 99;
    EXPECT_TRUE(settings.readInt(u"NumberDlg Start", stored));
    EXPECT_EQ(stored, 0u);
}

TEST(LeadingNumber, ReadsLeadingDigitsAndWraps) {
    EXPECT_EQ(leadingNumber(u""), 0);
    EXPECT_EQ(leadingNumber(u"42x7"), 42);
    EXPECT_EQ(leadingNumber(u"x7"), 0);
    // 2^64 + 5 wraps to 5.
    EXPECT_EQ(leadingNumber(u"18446744073709551621"), 5);
}

} // namespace
} // namespace mr
