// "Change Wild" and "Change Number" driven from a second thread: each kind of control
// reaches the model and the token (the rules have their own tests).
#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "support/pattern_support.h"
#include "ui/win32/change_number_dlg.h"
#include "ui/win32/change_wild_dlg.h"
#include "win32_support/driving.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <tuple>
#include <vector>

namespace mr::test {
namespace {

// The tests' own product: nothing they remember reaches the module's key.
constexpr char16_t kTestProduct[] = u"Sorrelcast Field Tests";
const std::wstring settingsKey = L"SOFTWARE\\Nombrel Software\\" + toWide(kTestProduct);
void clearSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey.c_str());
}

struct Step { // a click, or text typed over an edit when `typed` is given
    int id;
    const wchar_t* typed = nullptr;
};

void perform(HWND dialog, const Step& step) {
    step.typed ? type(dialog, step.id, step.typed) : click(dialog, step.id);
}

using States = std::vector<bool>; // which of the controls are enabled
States enabledOf(HWND dialog, std::initializer_list<int> ids) {
    States states;
    for (const int id : ids)
        states.push_back(enabled(dialog, id));
    return states;
}
States wildState(HWND d) {
    return enabledOf(d, {IDC_WILD_RESET, IDC_WILD_CLEAR_TEXT, IDC_WILD_LENGTH});
}

class FieldDialogs : public testing::Test {
protected:
    void SetUp() override {
        MR_REQUIRE_DISPLAY();
        clearSettings();
    }
    void TearDown() override { clearSettings(); }
};

auto wildFields(const PatternToken& t) {
    return std::tuple(t.truncate, t.length, t.caseMode);
}
auto numberFields(const PatternToken& t) {
    return std::tuple(t.clearNumber, t.renumber, t.zeroMode, t.startNumber, t.length);
}

TEST_F(FieldDialogs, ChangeWildOpensOnTheTokenFollowsEachControlAndWritesOnOk) {
    const struct {
        PatternToken token;
        const wchar_t* length; // shown on opening, with the state
        States opened;
        std::vector<std::pair<Step, States>> steps; // with the state after each
        int close;
        PatternToken expected;
    } cases[] = {
        // clang-format off
        {wildcard(false, 8, 0), L"8", {false, true, false}, {{{IDC_WILD_CLEAR_TEXT}, {true, false, true}}}, IDOK, wildcard(true, 0, 0)},
        {wildcard(true, 3, 2), L"3", {true, true, true},
         {{{IDC_WILD_TRUNCATE}, {true, true, false}}, {{IDC_WILD_RESET}, {false, true, false}}}, IDOK, wildcard(false, 3, 0)},
        {wildcard(true, 3, 0), L"3", {true, true, true},
         {{{IDC_WILD_LENGTH, L"0"}, {true, false, true}}, {{IDC_WILD_LENGTH, L"12"}, {true, true, true}}}, IDOK, wildcard(true, 12, 0)},
        {wildcard(false, 4, 0), L"4", {false, true, false}, {{{IDC_WILD_CASE_UPPER}, {true, true, false}}}, IDOK, wildcard(false, 4, 1)},
        {wildcard(true, 5, 1), L"5", {true, true, true},
         {{{IDC_WILD_CASE_LOWER}, {true, true, true}}, {{IDC_WILD_CLEAR_TEXT}, {true, false, true}}}, IDCANCEL, wildcard(true, 5, 1)},
        // clang-format on
    };
    for (const auto& c : cases) {
        PatternToken token = c.token;
        CChangeWildDlg dialog(nullptr);
        dialog.setToken(token);
        INT_PTR result = 0;
        driveWhile([&] { result = dialog.DoModal(); }, L"Change Wild",
                   [&](HWND d) {
                       EXPECT_EQ(checked(d, IDC_WILD_TRUNCATE), c.token.truncate);
                       EXPECT_EQ(windowText(GetDlgItem(d, IDC_WILD_LENGTH)), c.length);
                       EXPECT_TRUE(checked(d, IDC_WILD_CASE_NO_CHANGE +
                                                  static_cast<int>(c.token.caseMode)));
                       EXPECT_EQ(wildState(d), c.opened);
                       for (const auto& [step, after] : c.steps) {
                           perform(d, step);
                           EXPECT_EQ(wildState(d), after) << "after " << step.id;
                       }
                       clickButton(d, c.close);
                   });
        EXPECT_EQ(result, c.close);
        EXPECT_EQ(wildFields(token), wildFields(c.expected));
    }
}

TEST_F(FieldDialogs, ChangeNumberOpensWithTheRememberedValuesAndWritesThemOnOk) {
    using Stored = std::pair<std::optional<DWORD>, std::optional<DWORD>>; // start, digits
    const struct {
        PatternToken token;
        Stored before;
        const wchar_t *startText, *digitsText; // shown on opening, with the radios and state
        int numberRadio, zerosRadio;
        States opened;
        std::vector<Step> steps;
        int close;
        PatternToken expected;
        Stored after;
    } cases[] = {
        // clang-format off
        {numberField(false, false, 0), {}, L"1", L"4", IDC_NUMBER_NO_CHANGE, IDC_ZEROS_NO_CHANGE, {false, true, false, true, false},
         {{IDC_NUMBER_RENUMBER}, {IDC_NUMBER_START, L"0"}}, IDOK, numberField(false, true, 0, 0, 4), {0, 4}},
        {numberField(false, true, 1, 5, 2), {12, 3}, L"12", L"3", IDC_NUMBER_RENUMBER, IDC_ZEROS_PAD, {true, true, true, true, true},
         {{IDC_NUMBER_DIGITS, L"7"}, {IDC_NUMBER_START, L"250"}, {IDC_ZEROS_REMOVE}}, IDOK, numberField(false, true, 2, 250, 7), {250, 7}},
        {numberField(true, false, 2), {0xFFFFFFFF, {}}, L"-1", L"4", IDC_NUMBER_CLEAR, IDC_ZEROS_REMOVE, {true, false, false, false, false},
         {{IDC_NUMBER_RESET}}, IDCANCEL, numberField(true, false, 2), {0xFFFFFFFF, {}}},
        {numberField(false, false, 1, 9), {}, L"1", L"4", IDC_NUMBER_NO_CHANGE, IDC_ZEROS_PAD, {true, true, false, true, true},
         {{IDC_NUMBER_CLEAR_TEXT}}, IDOK, numberField(true, false, 1, 9, 4), {1, 4}},
        // clang-format on
    };
    for (const auto& c : cases) {
        clearSettings();
        storeDword(settingsKey, L"NumberDlg Start", c.before.first);
        storeDword(settingsKey, L"NumberDlg NDigits", c.before.second);
        PatternToken token = c.token;
        CChangeNumberDlg dialog(nullptr, kTestProduct);
        dialog.setToken(token);
        INT_PTR result = 0;
        driveWhile(
            [&] { result = dialog.DoModal(); }, L"Change Number",
            [&](HWND d) {
                EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_START)), c.startText);
                EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_DIGITS)), c.digitsText);
                EXPECT_TRUE(checked(d, c.numberRadio) && checked(d, c.zerosRadio));
                EXPECT_EQ(enabledOf(d, {IDC_NUMBER_RESET, IDC_NUMBER_CLEAR_TEXT, IDC_NUMBER_START,
                                        IDC_ZEROS_REMOVE, IDC_NUMBER_DIGITS}),
                          c.opened);
                EXPECT_EQ(SendDlgItemMessageW(d, IDC_NUMBER_START, EM_GETLIMITTEXT, 0, 0), 20);
                EXPECT_EQ(SendDlgItemMessageW(d, IDC_NUMBER_DIGITS, EM_GETLIMITTEXT, 0, 0), 3);
                for (const auto& step : c.steps)
                    perform(d, step);
                clickButton(d, c.close);
            });
        EXPECT_EQ(result, c.close);
        EXPECT_EQ(numberFields(token), numberFields(c.expected));
        // Cancel remembers nothing.
        EXPECT_EQ(Stored(storedDword(settingsKey, L"NumberDlg Start"),
                         storedDword(settingsKey, L"NumberDlg NDigits")),
                  c.after);
    }
}

TEST_F(FieldDialogs, FocusLeavesAControlThatBecomesDisabled) {
    PatternToken token = numberField(false, false, 1);
    CChangeNumberDlg dialog(nullptr, kTestProduct);
    dialog.setToken(token);
    driveWhile([&] { dialog.DoModal(); }, L"Change Number",
               [&](HWND d) {
                   click(d, IDC_ZEROS_REMOVE);
                   EXPECT_EQ(focusOf(d), GetDlgItem(d, IDC_ZEROS_REMOVE));
                   click(d, IDC_NUMBER_CLEAR_TEXT); // disables itself and the radio
                   EXPECT_EQ(focusOf(d), GetDlgItem(d, IDOK));
                   clickButton(d, IDCANCEL);
               });
}

TEST(ChangeNumberDialog, NeedsAProductName) {
    EXPECT_THROW(CChangeNumberDlg(nullptr, u""), std::invalid_argument);
}

} // namespace
} // namespace mr::test
