// The module's resources as the system reads them: templates laid out in dialog
// units, the context menu, the string table shared with the engine, the images.
#include "driver.h"
#include "rename/messages.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <cwctype>

#include <iterator>
#include <string>
#include <vector>

namespace mr::test {
namespace {

INT_PTR CALLBACK quietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

struct Placed {
    int id;              // IDC_STATIC: found by its text
    const wchar_t* text; // nullptr: not checked
    int x, y, cx, cy;    // dialog units
    const wchar_t* kind; // class name
    LONG_PTR styleBits;  // all of them set
};

struct Template {
    UINT id;
    const wchar_t* caption;
    int cx, cy;
    std::vector<Placed> controls;
};

HWND findChild(HWND dialog, const Placed& control) {
    if (control.id != IDC_STATIC)
        return GetDlgItem(dialog, control.id);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == IDC_STATIC && windowText(child) == control.text)
            return child;
    return nullptr;
}

const LONG_PTR kNumberEdit = ES_NUMBER | ES_AUTOHSCROLL;

TEST(ModuleResources, TemplatesPlaceEveryControlInDialogUnits) {
    MR_REQUIRE_DISPLAY();
    ASSERT_NE(module(), nullptr);
    ModuleControlsScope controls; // the list view class of the module's controls
    const Template templates[] = {
        {IDD_MULTI_RENAME,
         L"Multi Rename",
         335,
         206,
         {
             {IDOK, L"Rename", 219, 185, 50, 14, L"Button", BS_DEFPUSHBUTTON},
             {IDCANCEL, L"Cancel", 278, 185, 50, 14, L"Button", 0},
             {IDC_ALLOW_EXTENSION_CHANGES, L"Allow Extension Changes", 53, 7, 108, 10, L"Button",
              BS_AUTOCHECKBOX},
             {IDC_NUMBERS_AS_TEXT, L"Treat Numbers as Text", 53, 20, 108, 10, L"Button",
              BS_AUTOCHECKBOX},
             {IDC_RESET, L"Reset", 75, 67, 56, 14, L"Button", 0},
             {IDC_COPY_NAMES, L"Copy Names", 139, 67, 56, 14, L"Button", 0},
             {IDC_PASTE_NAMES, L"Paste Names", 203, 67, 56, 14, L"Button", 0},
             {IDC_NAMES_LIST, nullptr, 7, 85, 321, 92, L"SysListView32",
              LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | WS_BORDER | WS_TABSTOP},
         }},
        {IDD_CHANGE_WILD,
         L"Change Wild",
         189,
         168,
         {
             {IDOK, L"OK", 77, 147, 50, 14, L"Button", BS_DEFPUSHBUTTON},
             {IDCANCEL, L"Cancel", 132, 147, 50, 14, L"Button", 0},
             {IDC_WILD_RESET, L"Reset", 42, 7, 50, 14, L"Button", 0},
             {IDC_WILD_CLEAR_TEXT, L"Clear Text", 97, 7, 50, 14, L"Button", 0},
             {IDC_STATIC, L"Length", 7, 30, 175, 39, L"Button", BS_GROUPBOX},
             {IDC_WILD_TRUNCATE, L"Truncate, to maximum length:", 19, 47, 111, 10, L"Button",
              BS_AUTOCHECKBOX},
             {IDC_WILD_LENGTH, L"", 134, 45, 40, 14, L"Edit", kNumberEdit},
             {IDC_STATIC, L"Case", 7, 76, 175, 60, L"Button", BS_GROUPBOX},
             {IDC_WILD_CASE_NO_CHANGE, L"No Change", 19, 91, 51, 10, L"Button",
              BS_AUTORADIOBUTTON | WS_GROUP},
             {IDC_WILD_CASE_UPPER, L"Upper", 19, 106, 35, 10, L"Button", BS_AUTORADIOBUTTON},
             {IDC_WILD_CASE_LOWER, L"Lower", 19, 121, 35, 10, L"Button", BS_AUTORADIOBUTTON},
         }},
        {IDD_CHANGE_NUMBER,
         L"Change Number",
         189,
         200,
         {
             {IDOK, L"OK", 77, 179, 50, 14, L"Button", BS_DEFPUSHBUTTON},
             {IDCANCEL, L"Cancel", 132, 179, 50, 14, L"Button", 0},
             {IDC_NUMBER_RESET, L"Reset", 42, 7, 50, 14, L"Button", 0},
             {IDC_NUMBER_CLEAR_TEXT, L"Clear Text", 97, 7, 50, 14, L"Button", 0},
             {IDC_STATIC, L"Number", 7, 30, 175, 65, L"Button", BS_GROUPBOX},
             {IDC_NUMBER_NO_CHANGE, L"No Change", 19, 45, 51, 10, L"Button",
              BS_AUTORADIOBUTTON | WS_GROUP},
             {IDC_NUMBER_CLEAR, L"Clear Text", 19, 60, 49, 10, L"Button", BS_AUTORADIOBUTTON},
             {IDC_NUMBER_RENUMBER, L"Renumber starting from:", 19, 75, 95, 10, L"Button",
              BS_AUTORADIOBUTTON},
             {IDC_NUMBER_START, L"", 117, 73, 40, 14, L"Edit", kNumberEdit},
             {IDC_STATIC, L"Leading Zeros", 7, 102, 175, 65, L"Button", BS_GROUPBOX},
             {IDC_ZEROS_NO_CHANGE, L"No Change", 19, 117, 51, 10, L"Button",
              BS_AUTORADIOBUTTON | WS_GROUP},
             {IDC_ZEROS_REMOVE, L"Remove", 19, 132, 42, 10, L"Button", BS_AUTORADIOBUTTON},
             {IDC_ZEROS_PAD, L"Make number with", 19, 147, 75, 10, L"Button", BS_AUTORADIOBUTTON},
             {IDC_NUMBER_DIGITS, L"", 98, 145, 40, 14, L"Edit", kNumberEdit},
             {IDC_STATIC, L"digits", 145, 148, 18, 8, L"Static", 0},
         }},
    };
    for (const auto& t : templates) {
        HWND dialog =
            CreateDialogParamW(module(), MAKEINTRESOURCEW(t.id), nullptr, &quietDialog, 0);
        ASSERT_NE(dialog, nullptr) << t.id;
        EXPECT_EQ(windowText(dialog), t.caption);
        RECT client = {};
        GetClientRect(dialog, &client);
        const RECT expectedClient = dialogUnits(dialog, 0, 0, t.cx, t.cy);
        EXPECT_EQ(client.right, expectedClient.right) << t.id;
        EXPECT_EQ(client.bottom, expectedClient.bottom) << t.id;
        for (const auto& c : t.controls) {
            HWND control = findChild(dialog, c);
            ASSERT_NE(control, nullptr) << t.id << "/" << c.id;
            if (c.text) {
                EXPECT_EQ(windowText(control), c.text) << t.id << "/" << c.id;
            }
            EXPECT_NE(className(control).find(c.kind), std::wstring::npos) << t.id << "/" << c.id;
            LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
            // The dialog manager draws a template's border as a sunken client edge.
            if (GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                style |= WS_BORDER;
            if (std::wstring(c.kind) == L"Button") {
                EXPECT_EQ(style & BS_TYPEMASK, c.styleBits & BS_TYPEMASK) << t.id << "/" << c.id;
            }
            EXPECT_EQ(style & c.styleBits & ~LONG_PTR(BS_TYPEMASK),
                      c.styleBits & ~LONG_PTR(BS_TYPEMASK))
                << t.id << "/" << c.id;
            const RECT is = rectInParent(control);
            const RECT want = dialogUnits(dialog, c.x, c.y, c.cx, c.cy);
            EXPECT_EQ(is.left, want.left) << t.id << "/" << c.id;
            EXPECT_EQ(is.top, want.top) << t.id << "/" << c.id;
            EXPECT_EQ(is.right, want.right) << t.id << "/" << c.id;
            EXPECT_EQ(is.bottom, want.bottom) << t.id << "/" << c.id;
        }
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

TEST(ModuleResources, ContextMenuItemsInOrder) {
    ASSERT_NE(module(), nullptr);
    HMENU menu = LoadMenuW(module(), MAKEINTRESOURCEW(IDR_NAMES_MENU));
    ASSERT_NE(menu, nullptr);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_NE(popup, nullptr);
    const struct {
        UINT id;
        const wchar_t* text; // nullptr: separator
    } table[] = {
        {ID_COPY_NAMES, L"&Copy Name(s)"},
        {ID_PASTE_NAMES, L"&Paste Name(s)"},
        {ID_RESET_NAMES, L"&Reset Name(s)"},
        {ID_REMOVE_FILES, L"Remove File(s) From List"},
        {0, nullptr},
        {ID_SELECT_ALL, L"Select &All"},
        {ID_INVERT_SELECTION, L"&Invert Selection"},
    };
    ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(table)));
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        MENUITEMINFOW info = {};
        wchar_t text[64] = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING | MIIM_STATE;
        info.dwTypeData = text;
        info.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info));
        if (!table[i].text) {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << i;
            continue;
        }
        EXPECT_EQ(info.wID, table[i].id) << i;
        EXPECT_STREQ(text, table[i].text) << i;
        EXPECT_FALSE(info.fState & (MFS_DISABLED | MFS_GRAYED)) << i;
    }
    DestroyMenu(menu);
}

TEST(ModuleResources, StatusImagesAreSixteenPixelsWithSoftEdges) {
    ASSERT_NE(module(), nullptr);
    for (UINT id = IDB_STATUS_FIRST; id <= IDB_STATUS_LAST; ++id) {
        auto bitmap = static_cast<HBITMAP>(
            LoadImageW(module(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr) << id;
        DIBSECTION dib = {};
        ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib))) << id;
        EXPECT_EQ(dib.dsBm.bmWidth, 16) << id;
        EXPECT_EQ(dib.dsBm.bmHeight, 16) << id;
        ASSERT_EQ(dib.dsBm.bmBitsPixel, 32) << id;
        const auto* pixels = static_cast<const unsigned char*>(dib.dsBm.bmBits);
        int transparent = 0, partial = 0, opaque = 0;
        for (int i = 0; i < 16 * 16; ++i) {
            const unsigned alpha = pixels[i * 4 + 3];
            (alpha == 0 ? transparent : alpha == 255 ? opaque : partial)++;
        }
        EXPECT_GT(transparent, 0) << id; // shapes on a clear background
        EXPECT_GT(partial, 0) << id;     // anti-aliased edges
        EXPECT_GT(opaque, 0) << id;
        DeleteObject(bitmap);
    }
}

TEST(ModuleResources, ManifestSelectsTheVersionSixControls) {
    ASSERT_NE(module(), nullptr);
    ASSERT_NE(moduleControls(), nullptr);
    // The side-by-side copy, not the system folder's older one.
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(moduleControls(), path, MAX_PATH);
    std::wstring lower(path);
    for (auto& c : lower)
        c = static_cast<wchar_t>(towlower(c));
    EXPECT_NE(lower.find(L"common-controls"), std::wstring::npos) << lower;
    EXPECT_NE(lower.find(L"_6.0."), std::wstring::npos) << lower;
}

TEST(ModuleResources, ManifestAndVersionAreEmbedded) {
    ASSERT_NE(module(), nullptr);
    EXPECT_NE(FindResourceW(module(), MAKEINTRESOURCEW(IDR_MODULE_MANIFEST), RT_MANIFEST), nullptr);
    EXPECT_NE(FindResourceW(module(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION), nullptr);
    // The host's icon is not the module's own.
    EXPECT_EQ(FindResourceW(module(), MAKEINTRESOURCEW(IDI_HOST_APP), RT_GROUP_ICON), nullptr);
}

} // namespace
} // namespace mr::test
