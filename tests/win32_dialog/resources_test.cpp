// The module's resources as the system reads them (the main dialog is read on screen).
#include "driver.h"
#include "rename/messages.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <string>
#include <tuple>
#include <vector>

namespace mr::test {
namespace {

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

TEST(ModuleResources, TemplatesHoldEveryControlWithItsTextAndNoOverlaps) {
    MR_REQUIRE_DISPLAY();
    ASSERT_NE(module(), nullptr);
    const struct {
        UINT id;
        const wchar_t* caption;
        std::vector<std::pair<int, const wchar_t*>> controls; // IDC_STATIC: found by its text
    } templates[] = {
        // clang-format off
        {IDD_CHANGE_WILD, L"Change Wild",
         {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_WILD_RESET, L"Reset"}, {IDC_WILD_CLEAR_TEXT, L"Clear Text"},
          {IDC_STATIC, L"Length"}, {IDC_WILD_TRUNCATE, L"Truncate, to maximum length:"}, {IDC_WILD_LENGTH, L""},
          {IDC_STATIC, L"Case"}, {IDC_WILD_CASE_NO_CHANGE, L"No Change"}, {IDC_WILD_CASE_UPPER, L"Upper"},
          {IDC_WILD_CASE_LOWER, L"Lower"}}},
        {IDD_CHANGE_NUMBER, L"Change Number",
         {{IDOK, L"OK"}, {IDCANCEL, L"Cancel"}, {IDC_NUMBER_RESET, L"Reset"}, {IDC_NUMBER_CLEAR_TEXT, L"Clear Text"},
          {IDC_STATIC, L"Number"}, {IDC_NUMBER_NO_CHANGE, L"No Change"}, {IDC_NUMBER_CLEAR, L"Clear Text"},
          {IDC_NUMBER_RENUMBER, L"Renumber starting from:"}, {IDC_NUMBER_START, L""}, {IDC_STATIC, L"Leading Zeros"},
          {IDC_ZEROS_NO_CHANGE, L"No Change"}, {IDC_ZEROS_REMOVE, L"Remove"}, {IDC_ZEROS_PAD, L"Make number with"},
          {IDC_NUMBER_DIGITS, L""}, {IDC_STATIC, L"digits"}}},
        // clang-format on
    };
    for (const auto& t : templates) {
        HWND dialog =
            CreateDialogParamW(module(), MAKEINTRESOURCEW(t.id), nullptr, &quietDialog, 0);
        ASSERT_NE(dialog, nullptr) << t.id;
        EXPECT_EQ(windowText(dialog), t.caption);
        for (const auto& [id, text] : t.controls) {
            HWND control = id == IDC_STATIC ? nullptr : GetDlgItem(dialog, id);
            for (HWND child = GetWindow(dialog, GW_CHILD); !control && child;
                 child = GetWindow(child, GW_HWNDNEXT))
                if (GetDlgCtrlID(child) == IDC_STATIC && windowText(child) == text)
                    control = child;
            ASSERT_NE(control, nullptr) << t.id << "/" << id;
            EXPECT_EQ(windowText(control), text) << t.id << "/" << id;
        }
        EXPECT_EQ(layoutProblems(dialog), "") << t.id;
        DestroyWindow(dialog);
    }
}

TEST(ModuleResources, StringTableMatchesTheEngine) {
    ASSERT_NE(module(), nullptr);
    int checked = 0;
    for (UINT id = 2500; id <= 2530; ++id) {
        const std::u16string_view expected = moduleString(id);
        const wchar_t* text = nullptr;
        const int length = LoadStringW(module(), id, reinterpret_cast<LPWSTR>(&text), 0);
        const std::u16string loaded(reinterpret_cast<const char16_t*>(text),
                                    length > 0 ? static_cast<size_t>(length) : 0);
        EXPECT_EQ(loaded, expected) << id;
        checked += expected.empty() ? 0 : 1;
    }
    EXPECT_EQ(checked, 22);
    EXPECT_NE(moduleString(2503).find(u"\\ / : * ? \" < > |"), std::u16string_view::npos);
}

TEST(ModuleResources, StatusImagesAreSixteenPixelShapesWithSoftEdges) {
    ASSERT_NE(module(), nullptr);
    for (UINT id = IDB_STATUS_FIRST; id <= IDB_STATUS_LAST; ++id) {
        auto bitmap = static_cast<HBITMAP>(
            LoadImageW(module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        DIBSECTION dib = {};
        ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib))) << id;
        ASSERT_EQ(std::tuple(dib.dsBm.bmWidth, dib.dsBm.bmHeight, dib.dsBm.bmBitsPixel),
                  std::tuple(16L, 16L, WORD{32}))
            << id;
        int alphas[3] = {}; // clear, partly covered, opaque
        for (int i = 0; i < 16 * 16; ++i) {
            const unsigned alpha = static_cast<const unsigned char*>(dib.dsBm.bmBits)[i * 4 + 3];
            ++alphas[alpha == 0 ? 0 : alpha == 255 ? 2 : 1];
        }
        EXPECT_TRUE(alphas[0] && alphas[1] && alphas[2]) << id;
        DeleteObject(bitmap);
    }
}

TEST(ModuleResources, NamesMenuVersionButNotTheHostsIcon) {
    ASSERT_NE(module(), nullptr);
    const HMENU menu = LoadMenuW(module(), MAKEINTRESOURCEW(IDR_NAMES_MENU));
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(GetSubMenu(menu, 0)); ++i)
        ids.push_back(GetMenuItemID(GetSubMenu(menu, 0), i));
    DestroyMenu(menu);
    EXPECT_EQ(ids, (std::vector<UINT>{ID_COPY_NAMES, ID_PASTE_NAMES, ID_RESET_NAMES,
                                      ID_REMOVE_FILES, 0, ID_SELECT_ALL, ID_INVERT_SELECTION}));
    EXPECT_NE(FindResourceW(module(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION), nullptr);
    EXPECT_EQ(FindResourceW(module(), MAKEINTRESOURCEW(IDI_HOST_APP), RT_GROUP_ICON), nullptr);
}

} // namespace
} // namespace mr::test
