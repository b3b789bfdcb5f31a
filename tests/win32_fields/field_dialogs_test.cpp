// "Change Wild" and "Change Number" run modally on the test's thread while a second
// thread clicks, types and reads them back as a user would.
#include "field_host.h"
#include "resources/resource.h"
#include "support/pattern_support.h"
#include "ui/win32/change_number_dlg.h"
#include "ui/win32/change_wild_dlg.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace mr::test {
namespace {

// A click, or text typed over an edit when `typed` is given.
struct Step {
    int id;
    const wchar_t* typed = nullptr;
};

void perform(HWND dialog, const Step& step) {
    if (step.typed)
        type(dialog, step.id, step.typed);
    else
        click(dialog, step.id);
}

int checkedRadio(HWND dialog, int first, int last) {
    for (int id = first; id <= last; ++id)
        if (checked(dialog, id))
            return id;
    return 0;
}

// --- Change Wild ---

struct WildState {
    bool reset, clear, lengthEnabled;
    friend bool operator==(const WildState&, const WildState&) = default;
};

WildState wildState(HWND d) {
    return {enabled(d, IDC_WILD_RESET), enabled(d, IDC_WILD_CLEAR_TEXT),
            enabled(d, IDC_WILD_LENGTH)};
}

class ChangeWildWindow : public testing::Test {
protected:
    void SetUp() override { MR_REQUIRE_DISPLAY(); }
};

TEST_F(ChangeWildWindow, OpensOnTheToken) {
    struct Case {
        PatternToken token;
        bool truncate;
        const wchar_t* length;
        int caseRadio;
        WildState state;
    } cases[] = {
        {wildcard(false, 8, 0), false, L"8", IDC_WILD_CASE_NO_CHANGE, {false, true, false}},
        {wildcard(false, 8, 1), false, L"8", IDC_WILD_CASE_UPPER, {true, true, false}},
        {wildcard(true, 3, 2), true, L"3", IDC_WILD_CASE_LOWER, {true, true, true}},
        {wildcard(true, 0, 0), true, L"0", IDC_WILD_CASE_NO_CHANGE, {true, false, true}},
    };
    for (const auto& c : cases) {
        PatternToken token = c.token;
        CChangeWildDlg dialog(nullptr);
        dialog.setToken(token);
        const INT_PTR result = runDriven(dialog, L"Change Wild", [&](HWND d) {
            EXPECT_EQ(checked(d, IDC_WILD_TRUNCATE), c.truncate);
            EXPECT_EQ(windowText(GetDlgItem(d, IDC_WILD_LENGTH)), c.length);
            EXPECT_EQ(checkedRadio(d, IDC_WILD_CASE_NO_CHANGE, IDC_WILD_CASE_LOWER), c.caseRadio);
            EXPECT_EQ(wildState(d), c.state);
            clickButton(d, IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
}

TEST_F(ChangeWildWindow, FollowsClicksAndTypingAndWritesOnOk) {
    struct Step2 {
        Step step;
        WildState after;
    };
    struct Case {
        PatternToken token;
        std::vector<Step2> steps;
        int close;
        PatternToken expected;
    } cases[] = {
        {wildcard(false, 8, 0),
         {{{IDC_WILD_CLEAR_TEXT}, {true, false, true}}},
         IDOK,
         wildcard(true, 0, 0)},
        {wildcard(true, 3, 2),
         {{{IDC_WILD_TRUNCATE}, {true, true, false}}},
         IDOK,
         wildcard(false, 3, 2)},
        {wildcard(true, 3, 0),
         {{{IDC_WILD_LENGTH, L"0"}, {true, false, true}},
          {{IDC_WILD_LENGTH, L"12"}, {true, true, true}}},
         IDOK,
         wildcard(true, 12, 0)},
        {wildcard(false, 8, 1),
         {{{IDC_WILD_RESET}, {false, true, false}}},
         IDOK,
         wildcard(false, 8, 0)},
        {wildcard(false, 4, 0),
         {{{IDC_WILD_CASE_UPPER}, {true, true, false}}},
         IDOK,
         wildcard(false, 4, 1)},
        {wildcard(true, 5, 1),
         {{{IDC_WILD_CASE_LOWER}, {true, true, true}},
          {{IDC_WILD_LENGTH, L"9"}, {true, true, true}},
          {{IDC_WILD_CLEAR_TEXT}, {true, false, true}}},
         IDCANCEL,
         wildcard(true, 5, 1)},
    };
    for (const auto& c : cases) {
        PatternToken token = c.token;
        CChangeWildDlg dialog(nullptr);
        dialog.setToken(token);
        const INT_PTR result = runDriven(dialog, L"Change Wild", [&](HWND d) {
            for (const auto& s : c.steps) {
                perform(d, s.step);
                EXPECT_EQ(wildState(d), s.after) << "after control " << s.step.id;
            }
            clickButton(d, c.close);
        });
        EXPECT_EQ(result, c.close);
        EXPECT_EQ(token.truncate, c.expected.truncate);
        EXPECT_EQ(token.length, c.expected.length);
        EXPECT_EQ(token.caseMode, c.expected.caseMode);
    }
}

TEST_F(ChangeWildWindow, FocusLeavesAControlThatBecomesDisabled) {
    PatternToken token = wildcard(false, 8, 0);
    CChangeWildDlg dialog(nullptr);
    dialog.setToken(token);
    runDriven(dialog, L"Change Wild", [&](HWND d) {
        click(d, IDC_WILD_TRUNCATE);
        EXPECT_EQ(focusOf(d), GetDlgItem(d, IDC_WILD_TRUNCATE));
        click(d, IDC_WILD_CLEAR_TEXT); // disables itself
        EXPECT_FALSE(enabled(d, IDC_WILD_CLEAR_TEXT));
        EXPECT_EQ(focusOf(d), GetDlgItem(d, IDOK));
        click(d, IDC_WILD_CASE_UPPER);
        click(d, IDC_WILD_RESET); // disables itself and the edit
        EXPECT_EQ(focusOf(d), GetDlgItem(d, IDOK));
        clickButton(d, IDCANCEL);
    });
    EXPECT_FALSE(token.truncate);
}

// --- Change Number ---

struct NumberState {
    bool reset, clear, start, zeros, digits;
    friend bool operator==(const NumberState&, const NumberState&) = default;
};

NumberState numberState(HWND d) {
    const bool zeros = enabled(d, IDC_ZEROS_NO_CHANGE);
    EXPECT_EQ(enabled(d, IDC_ZEROS_REMOVE), zeros);
    EXPECT_EQ(enabled(d, IDC_ZEROS_PAD), zeros);
    return {enabled(d, IDC_NUMBER_RESET), enabled(d, IDC_NUMBER_CLEAR_TEXT),
            enabled(d, IDC_NUMBER_START), zeros, enabled(d, IDC_NUMBER_DIGITS)};
}

class ChangeNumberWindow : public testing::Test {
protected:
    void SetUp() override {
        MR_REQUIRE_DISPLAY();
        clearSettings();
    }
    void TearDown() override { clearSettings(); }
};

TEST_F(ChangeNumberWindow, OpensOnTheTokenWithTheRememberedValues) {
    struct Case {
        PatternToken token;
        std::optional<DWORD> start, digits; // stored before
        const wchar_t* startText;
        const wchar_t* digitsText;
        int numberRadio, zerosRadio;
        NumberState state;
    } cases[] = {
        {numberField(false, false, 0),
         {},
         {},
         L"1",
         L"4",
         IDC_NUMBER_NO_CHANGE,
         IDC_ZEROS_NO_CHANGE,
         {false, true, false, true, false}},
        {numberField(false, true, 1, 5, 2),
         12,
         3,
         L"12",
         L"3",
         IDC_NUMBER_RENUMBER,
         IDC_ZEROS_PAD,
         {true, true, true, true, true}},
        {numberField(true, false, 2),
         0xFFFFFFFF,
         {},
         L"-1",
         L"4",
         IDC_NUMBER_CLEAR,
         IDC_ZEROS_REMOVE,
         {true, false, false, false, false}},
        // Clearing wins over renumbering, as when the settings were made.
        {numberField(true, true, 1),
         {},
         7,
         L"1",
         L"7",
         IDC_NUMBER_CLEAR,
         IDC_ZEROS_PAD,
         {true, false, false, false, true}},
    };
    for (const auto& c : cases) {
        clearSettings();
        if (c.start)
            storeSetting(L"NumberDlg Start", *c.start);
        if (c.digits)
            storeSetting(L"NumberDlg NDigits", *c.digits);
        PatternToken token = c.token;
        CChangeNumberDlg dialog(nullptr, kTestProduct);
        dialog.setToken(token);
        const INT_PTR result = runDriven(dialog, L"Change Number", [&](HWND d) {
            EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_START)), c.startText);
            EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_DIGITS)), c.digitsText);
            EXPECT_EQ(checkedRadio(d, IDC_NUMBER_NO_CHANGE, IDC_NUMBER_RENUMBER), c.numberRadio);
            EXPECT_EQ(checkedRadio(d, IDC_ZEROS_NO_CHANGE, IDC_ZEROS_PAD), c.zerosRadio);
            EXPECT_EQ(numberState(d), c.state);
            EXPECT_EQ(SendDlgItemMessageW(d, IDC_NUMBER_START, EM_GETLIMITTEXT, 0, 0), 20);
            EXPECT_EQ(SendDlgItemMessageW(d, IDC_NUMBER_DIGITS, EM_GETLIMITTEXT, 0, 0), 3);
            clickButton(d, IDCANCEL);
        });
        EXPECT_EQ(result, IDCANCEL);
        // Cancel remembers nothing.
        EXPECT_EQ(storedSetting(L"NumberDlg Start"), c.start);
        EXPECT_EQ(storedSetting(L"NumberDlg NDigits"), c.digits);
    }
}

TEST_F(ChangeNumberWindow, FollowsClicksAndWritesTheTokenAndTheSettingsOnOk) {
    struct Step2 {
        Step step;
        std::optional<NumberState> after;
    };
    struct Case {
        PatternToken token;
        std::vector<Step2> steps;
        int close;
        PatternToken expected;
        std::optional<DWORD> start, digits; // stored afterwards
    } cases[] = {
        // No change keeps the token's start but still remembers both edits.
        {numberField(false, false, 0, 42), {}, IDOK, numberField(false, false, 0, 42, 4), 1, 4},
        {numberField(false, false, 0),
         {{{IDC_NUMBER_RENUMBER}, NumberState{true, true, true, true, false}},
          {{IDC_NUMBER_START, L"0"}, {}}},
         IDOK,
         numberField(false, true, 0, 0, 4),
         0,
         4},
        {numberField(false, false, 1, 9),
         {{{IDC_NUMBER_CLEAR_TEXT}, NumberState{true, false, false, false, true}}},
         IDOK,
         numberField(true, false, 1, 9, 4),
         1,
         4},
        {numberField(false, true, 0, 3),
         {{{IDC_ZEROS_PAD}, NumberState{true, true, true, true, true}},
          {{IDC_NUMBER_DIGITS, L"7"}, {}},
          {{IDC_NUMBER_START, L"250"}, {}},
          {{IDC_ZEROS_REMOVE}, NumberState{true, true, true, true, false}}},
         IDOK,
         numberField(false, true, 2, 250, 7),
         250,
         7},
        {numberField(false, true, 1, 3),
         {{{IDC_NUMBER_RESET}, NumberState{false, true, false, true, false}}},
         IDCANCEL,
         numberField(false, true, 1, 3),
         {},
         {}},
        {numberField(true, false, 0),
         {{{IDC_NUMBER_NO_CHANGE}, NumberState{false, true, false, true, false}},
          {{IDC_NUMBER_CLEAR}, NumberState{true, false, false, false, false}}},
         IDOK,
         numberField(true, false, 0, -1, 4),
         1,
         4},
    };
    for (const auto& c : cases) {
        clearSettings();
        PatternToken token = c.token;
        CChangeNumberDlg dialog(nullptr, kTestProduct);
        dialog.setToken(token);
        const INT_PTR result = runDriven(dialog, L"Change Number", [&](HWND d) {
            for (const auto& s : c.steps) {
                perform(d, s.step);
                if (s.after) {
                    EXPECT_EQ(numberState(d), *s.after) << "after control " << s.step.id;
                }
            }
            clickButton(d, c.close);
        });
        EXPECT_EQ(result, c.close);
        EXPECT_EQ(token.clearNumber, c.expected.clearNumber);
        EXPECT_EQ(token.renumber, c.expected.renumber);
        EXPECT_EQ(token.zeroMode, c.expected.zeroMode);
        EXPECT_EQ(token.startNumber, c.expected.startNumber);
        EXPECT_EQ(token.length, c.expected.length);
        EXPECT_EQ(storedSetting(L"NumberDlg Start"), c.start);
        EXPECT_EQ(storedSetting(L"NumberDlg NDigits"), c.digits);
    }
}

TEST_F(ChangeNumberWindow, TheNextFieldOpensWithTheLastConfirmedValues) {
    PatternToken first = numberField(false, false, 0), second = numberField(false, false, 0);
    {
        CChangeNumberDlg dialog(nullptr, kTestProduct);
        dialog.setToken(first);
        runDriven(dialog, L"Change Number", [](HWND d) {
            type(d, IDC_NUMBER_START, L"12");
            type(d, IDC_NUMBER_DIGITS, L"7");
            clickButton(d, IDOK);
        });
    }
    CChangeNumberDlg dialog(nullptr, kTestProduct);
    dialog.setToken(second);
    runDriven(dialog, L"Change Number", [](HWND d) {
        EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_START)), L"12");
        EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_DIGITS)), L"7");
        clickButton(d, IDCANCEL);
    });
}

TEST_F(ChangeNumberWindow, FocusLeavesAControlThatBecomesDisabled) {
    PatternToken token = numberField(false, false, 1);
    CChangeNumberDlg dialog(nullptr, kTestProduct);
    dialog.setToken(token);
    runDriven(dialog, L"Change Number", [&](HWND d) {
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
