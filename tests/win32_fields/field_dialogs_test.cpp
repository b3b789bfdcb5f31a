// "Change Wild" and "Change Number" driven from a second thread: their controls, each kind of
// control reaching the token, and the remembered values (the rules have their own tests).
#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "support/pattern_support.h"
#include "ui/win32/change_number_dlg.h"
#include "ui/win32/change_wild_dlg.h"
#include "win32_support/driving.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace mr::test {
namespace {

// The tests' own product: nothing they remember reaches the module's key.
constexpr char16_t kTestProduct[] = u"Sorrelcast Field Tests";
const std::wstring settingsKey = L"SOFTWARE\\Nombrel Software\\" + toWide(kTestProduct);

using Controls = std::vector<std::pair<int, const wchar_t*>>; // IDC_STATIC: found by its text

// Every control present with its text and inside the window, on the first opening only.
void expectControls(HWND dialog, const wchar_t* caption, const Controls& controls) {
    EXPECT_EQ(windowText(dialog), caption);
    for (const auto& [id, text] : controls) {
        HWND control = id == IDC_STATIC ? nullptr : GetDlgItem(dialog, id);
        for (HWND child = GetWindow(dialog, GW_CHILD); !control && child;
             child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgCtrlID(child) == IDC_STATIC && windowText(child) == text)
                control = child;
        ASSERT_NE(control, nullptr) << id;
        if (text) { // edits show the token's values, checked apart
            EXPECT_EQ(windowText(control), text) << id;
        }
    }
    EXPECT_EQ(outsideClient(dialog), "");
}

class FieldDialogs : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey.c_str()); }
};

TEST_F(FieldDialogs, ChangeWildOpensOnTheTokenAndWritesItOnOk) {
    const Controls controls = {
        // clang-format off
        {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_WILD_RESET, L"Reset"}, {IDC_WILD_CLEAR_TEXT, L"Clear Text"},
        {IDC_STATIC, L"Length"}, {IDC_WILD_TRUNCATE, L"Truncate, to maximum length:"}, {IDC_WILD_LENGTH, nullptr},
        {IDC_STATIC, L"Case"}, {IDC_WILD_CASE_NO_CHANGE, L"No Change"}, {IDC_WILD_CASE_UPPER, L"Upper"},
        {IDC_WILD_CASE_LOWER, L"Lower"},
        // clang-format on
    };
    PatternToken token = wildcard(true, 3, CaseMode::Lower);
    CChangeWildDlg dialog(nullptr);
    dialog.setToken(token);
    driveWhile([&] { dialog.DoModal(); }, L"Change Wild",
               [&](HWND d) {
                   expectControls(d, L"Change Wild", controls);
                   EXPECT_TRUE(checked(d, IDC_WILD_TRUNCATE) && checked(d, IDC_WILD_CASE_LOWER));
                   EXPECT_EQ(windowText(GetDlgItem(d, IDC_WILD_LENGTH)), L"3");
                   type(d, IDC_WILD_LENGTH, L"12");
                   click(d, IDC_WILD_CASE_UPPER);
                   click(d, IDC_WILD_TRUNCATE);
                   clickButton(d, IDOK);
               });
    const PatternToken expected = wildcard(false, 12, CaseMode::Upper);
    EXPECT_EQ(std::tuple(token.truncate, token.length, token.caseMode),
              std::tuple(expected.truncate, expected.length, expected.caseMode));
}

TEST_F(FieldDialogs, ChangeNumberOpensWithTheRememberedValuesAndWritesThemOnOkOnly) {
    const Controls controls = {
        // clang-format off
        {IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_NUMBER_RESET, L"Reset"}, {IDC_NUMBER_CLEAR_TEXT, L"Clear Text"},
        {IDC_STATIC, L"Number"}, {IDC_NUMBER_NO_CHANGE, L"No Change"}, {IDC_NUMBER_CLEAR, L"Clear Text"},
        {IDC_NUMBER_RENUMBER, L"Renumber starting from:"}, {IDC_NUMBER_START, nullptr}, {IDC_STATIC, L"Leading Zeros"},
        {IDC_ZEROS_NO_CHANGE, L"No Change"}, {IDC_ZEROS_REMOVE, L"Remove"}, {IDC_ZEROS_PAD, L"Make number with"},
        {IDC_NUMBER_DIGITS, nullptr}, {IDC_STATIC, L"digits"},
        // clang-format on
    };
    for (const int close : {IDOK, IDCANCEL}) {
        storeDword(settingsKey, L"NumberDlg Start", 12);
        storeDword(settingsKey, L"NumberDlg NDigits", 3);
        const PatternToken opened = numberField(false, true, ZeroMode::Make, 5, 2);
        PatternToken token = opened;
        CChangeNumberDlg dialog(nullptr, kTestProduct);
        dialog.setToken(token);
        INT_PTR result = 0;
        driveWhile([&] { result = dialog.DoModal(); }, L"Change Number",
                   [&](HWND d) {
                       if (close == IDOK)
                           expectControls(d, L"Change Number", controls);
                       EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_START)), L"12");
                       EXPECT_EQ(windowText(GetDlgItem(d, IDC_NUMBER_DIGITS)), L"3");
                       EXPECT_TRUE(checked(d, IDC_NUMBER_RENUMBER) && checked(d, IDC_ZEROS_PAD));
                       type(d, IDC_NUMBER_DIGITS, L"7");
                       type(d, IDC_NUMBER_START, L"250");
                       click(d, IDC_ZEROS_REMOVE);
                       clickButton(d, close);
                   });
        EXPECT_EQ(result, close);
        const bool ok = close == IDOK;
        const PatternToken expected =
            ok ? numberField(false, true, ZeroMode::Remove, 250, 7) : opened;
        EXPECT_EQ(std::tuple(token.renumber, token.zeroMode, token.startNumber, token.length),
                  std::tuple(expected.renumber, expected.zeroMode, expected.startNumber,
                             expected.length));
        EXPECT_EQ(storedDword(settingsKey, L"NumberDlg Start"), ok ? 250u : 12u);
        EXPECT_EQ(storedDword(settingsKey, L"NumberDlg NDigits"), ok ? 7u : 3u);
    }
}

} // namespace
} // namespace mr::test
