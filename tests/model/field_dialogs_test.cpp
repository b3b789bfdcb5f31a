#include "settings/registry.h"
#include "support/memory_settings_store.h"
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

TEST(ChangeWild, OpensFromTheTokenAndStoresTheLengthWhateverTheTruncateBox) {
    const std::tuple<PatternToken, bool, bool, bool> cases[] = {
        {wildcard(false, 8, CaseMode::NoChange), false, false, true},
        {wildcard(false, 8, CaseMode::Upper), false, true, true},
        {wildcard(true, 0, CaseMode::Lower), true, true, false},
    };
    for (const auto& [token, length, reset, clear] : cases) {
        Wild m(token);
        EXPECT_EQ(
            std::tuple(m.isEnabled(Wild::Control::Length), m.resetEnabled(), m.clearTextEnabled()),
            std::tuple(length, reset, clear));
    }
    PatternToken t = wildcard(false, 8, CaseMode::Upper);
    Wild m(t);
    m.clearText();
    m.setLengthText(u"0");
    m.apply(t); // clear text then OK truncates to nothing
    EXPECT_EQ(std::tie(t.truncate, t.length, t.caseMode), std::tuple(true, 0, CaseMode::Upper));
    PatternToken u = wildcard(true, 3, CaseMode::Lower);
    Wild n(u);
    n.setLengthText(u"5");
    n.reset();
    n.apply(u); // unchecked truncate still stores the length
    EXPECT_EQ(std::tie(u.truncate, u.length, u.caseMode), std::tuple(false, 5, CaseMode::NoChange));
}

TEST(ChangeNumber, OpensWithTheLastConfirmedValuesAndNoChangeKeepsTheStart) {
    MemorySettingsStore store;
    Registry settings(u"Sorrelcast", store);
    Num fresh(numberField(false, false, ZeroMode::NoChange, -1, 4), settings);
    EXPECT_EQ(std::tie(fresh.startText, fresh.digitsText), std::tuple(u"1", u"4"));
    EXPECT_FALSE(fresh.startEnabled() || fresh.digitsEnabled() || fresh.resetEnabled());
    fresh.clearText();
    EXPECT_FALSE(fresh.isEnabled(Num::Control::Remove));
    PatternToken t = numberField(false, true, ZeroMode::Make, -1, 4);
    Num m(t, settings);
    EXPECT_TRUE(m.startEnabled() && m.digitsEnabled());
    m.startText = u"12";
    m.digitsText = u"3";
    m.apply(t, settings);
    EXPECT_EQ(std::tie(t.startNumber, t.length, t.zeroMode), std::tuple(12, 3, ZeroMode::Make));
    Num again(numberField(false, false, ZeroMode::NoChange, -1, 4), settings);
    EXPECT_EQ(std::tie(again.startText, again.digitsText), std::tuple(u"12", u"3"));
    again.number = Num::Number::NoChange;
    again.startText = u"0";
    again.apply(t, settings);
    EXPECT_EQ(std::tie(t.renumber, t.startNumber), std::tuple(false, 12));
    EXPECT_EQ(Num(t, settings).startText, u"0");
    EXPECT_EQ(leadingNumber(u"18446744073709551621x7"), 5); // 2^64 + 5 wraps
}

} // namespace
} // namespace mr
