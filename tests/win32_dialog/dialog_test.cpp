// The Multi Rename dialog as the host's call shows it: found on screen, read back
// through its controls and closed with Cancel.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mr::test {
namespace {

namespace fs = std::filesystem;

using MultiRenameDialog = FolderTest;

struct Control {
    int id;
    const wchar_t* text;
    LONG_PTR type; // BS_* of a button
};

TEST_F(MultiRenameDialog, ShowsTheTemplateWithTheSelectedFilesListed) {
    const std::wstring a = touch(L"A.txt"), b = touch(L"b.txt"), c = touch(L"c10.txt");
    touch(L"not selected.txt");
    const wchar_t* paths[] = {c.c_str(), a.c_str(), b.c_str(), a.c_str()}; // a given twice

    struct Seen {
        std::wstring title;
        LONG_PTR style = 0;
        std::vector<std::wstring> texts;
        std::vector<LONG_PTR> types;
        std::wstring listClass;
        LONG_PTR listStyle = 0;
        LRESULT listExStyle = 0;
        int columns = 0;
        std::vector<std::wstring> oldNames, newNames;
        std::vector<int> stateImages;
        int imageCount = 0, imageWidth = 0, imageHeight = 0;
    } seen;
    const Control controls[] = {
        {IDOK, L"Rename", BS_DEFPUSHBUTTON},
        {IDCANCEL, L"Cancel", BS_PUSHBUTTON},
        {IDC_ALLOW_EXTENSION_CHANGES, L"Allow Extension Changes", BS_AUTOCHECKBOX},
        {IDC_NUMBERS_AS_TEXT, L"Treat Numbers as Text", BS_AUTOCHECKBOX},
        {IDC_RESET, L"Reset", BS_PUSHBUTTON},
        {IDC_COPY_NAMES, L"Copy Names", BS_PUSHBUTTON},
        {IDC_PASTE_NAMES, L"Paste Names", BS_PUSHBUTTON},
    };

    ASSERT_TRUE(runAndInspect(4, paths, [&](HWND dialog) {
        seen.title = windowText(dialog);
        seen.style = GetWindowLongPtrW(dialog, GWL_STYLE);
        for (const auto& control : controls) {
            HWND button = GetDlgItem(dialog, control.id);
            seen.texts.push_back(button ? windowText(button) : L"<missing>");
            seen.types.push_back(button ? (GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK)
                                        : -1);
        }
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        seen.listClass = className(list);
        seen.listStyle = GetWindowLongPtrW(list, GWL_STYLE);
        seen.listExStyle = SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
        seen.columns = static_cast<int>(
            SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)),
                         HDM_GETITEMCOUNT, 0, 0));
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            seen.oldNames.push_back(listText(list, i, 0));
            seen.newNames.push_back(listText(list, i, 1));
            seen.stateImages.push_back(static_cast<int>(
                SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK) >> 12));
        }
        auto images =
            reinterpret_cast<HIMAGELIST>(SendMessageW(list, LVM_GETIMAGELIST, LVSIL_STATE, 0));
        const auto imageCount =
            controlsFunction<int(WINAPI*)(HIMAGELIST)>("ImageList_GetImageCount");
        const auto iconSize =
            controlsFunction<BOOL(WINAPI*)(HIMAGELIST, int*, int*)>("ImageList_GetIconSize");
        if (imageCount && iconSize) {
            seen.imageCount = imageCount(images);
            iconSize(images, &seen.imageWidth, &seen.imageHeight);
        }
    }));

    EXPECT_EQ(seen.title, L"Multi Rename");
    EXPECT_TRUE(seen.style & WS_THICKFRAME);
    EXPECT_TRUE(seen.style & WS_SYSMENU);
    EXPECT_FALSE(seen.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    for (size_t i = 0; i < std::size(controls); ++i) {
        EXPECT_EQ(seen.texts[i], controls[i].text) << controls[i].id;
        EXPECT_EQ(seen.types[i], controls[i].type) << controls[i].id;
    }
    EXPECT_NE(seen.listClass.find(L"SysListView32"), std::wstring::npos) << seen.listClass;
    EXPECT_EQ(seen.listStyle & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(seen.listStyle & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(seen.listStyle & LVS_SHAREIMAGELISTS);
    EXPECT_FALSE(seen.listStyle &
                 (LVS_SINGLESEL | LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING));
    EXPECT_EQ(seen.listExStyle, LVS_EX_FULLROWSELECT);
    EXPECT_EQ(seen.columns, 2);
    // Files by their upper-cased names; the one given twice is listed once.
    EXPECT_EQ(seen.oldNames, (std::vector<std::wstring>{L"A.txt", L"b.txt", L"c10.txt"}));
    // The untouched pattern gives every file its own name back: unchanged.
    EXPECT_EQ(seen.newNames, seen.oldNames);
    EXPECT_EQ(seen.stateImages, (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(seen.imageCount, 7);
    EXPECT_EQ(seen.imageWidth, 16);
    EXPECT_EQ(seen.imageHeight, 16);
}

TEST_F(MultiRenameDialog, AddsTheFolderColumnOnlyForSeveralFolders) {
    const std::wstring one = touch(L"one\\x1.txt"), two = touch(L"two\\x2.txt");
    const struct {
        std::vector<const wchar_t*> paths;
        int columns;
    } table[] = {
        {{one.c_str()}, 2},
        {{one.c_str(), two.c_str()}, 3},
    };
    for (const auto& row : table) {
        int columns = 0;
        std::wstring heading, folder;
        ASSERT_TRUE(
            runAndInspect(static_cast<int>(row.paths.size()), row.paths.data(), [&](HWND dialog) {
                HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
                HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
                columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
                wchar_t text[64] = {};
                HDITEMW item = {};
                item.mask = HDI_TEXT;
                item.pszText = text;
                item.cchTextMax = 64;
                SendMessageW(header, HDM_GETITEMW, columns - 1, reinterpret_cast<LPARAM>(&item));
                heading = text;
                folder = listText(list, 1, 2);
            }));
        EXPECT_EQ(columns, row.columns);
        if (row.columns == 3) {
            EXPECT_EQ(heading, L"Folder");
            EXPECT_EQ(folder, (root / L"two").wstring() + L"\\");
        } else {
            EXPECT_EQ(heading, L"New Name");
        }
    }
}

TEST_F(MultiRenameDialog, OldNameColumnFitsItsWidestNameAndTwentyMore) {
    // The widest name in pixels is neither the longest nor the first.
    const struct {
        const char* what;
        std::vector<const wchar_t*> names;
    } table[] = {
        {"narrow letters, more of them", {L"iiiiiiiiiiii.txt", L"WWWWWW.txt", L"a.txt"}},
        {"one file", {L"only.txt"}},
    };
    for (const auto& row : table) {
        std::vector<std::wstring> paths;
        for (const wchar_t* name : row.names)
            paths.push_back(touch(name));
        std::vector<const wchar_t*> raw;
        for (const auto& p : paths)
            raw.push_back(p.c_str());
        int shown = 0, automatic = 0;
        ASSERT_TRUE(runAndInspect(static_cast<int>(raw.size()), raw.data(), [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
            shown = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
            SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
            automatic = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
        })) << row.what;
        EXPECT_EQ(shown, automatic + 20) << row.what;
        for (const auto& p : paths)
            fs::remove(p);
    }
}

TEST_F(MultiRenameDialog, OpensOverAnyInputWithoutReadingWhatItMustNot) {
    const std::wstring real = touch(L"real.txt");
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L"\\name.txt";
    const std::wstring longName = (root / std::wstring(270, L'b')).wstring();
    // Never dereferenced: the count says there is nothing to read.
    const auto* poison = reinterpret_cast<const wchar_t* const*>(static_cast<uintptr_t>(0x10));
    const wchar_t* withNull[] = {real.c_str(), nullptr};
    const wchar_t* tooLong[] = {longPath.c_str(), longName.c_str()};
    const wchar_t* missing[] = {L"Q:\\no\\such\\file.txt", L"relative.txt", L"", L"\\"};
    const struct {
        const char* what;
        int count;
        const wchar_t* const* paths;
        int items;
    } table[] = {
        {"zero count, null array", 0, nullptr, 0},
        {"negative count", -3, poison, 0},
        {"zero count, unreadable array", 0, poison, 0},
        {"positive count, null array", 2, nullptr, 0},
        {"a null entry", 2, withNull, 1},
        {"paths of 260 characters and more", 2, tooLong, 0},
        {"paths naming nothing", 4, missing, 0},
    };
    for (const auto& row : table) {
        int items = -1;
        EXPECT_TRUE(runAndInspect(row.count, row.paths, [&](HWND dialog) {
            items = static_cast<int>(
                SendMessageW(GetDlgItem(dialog, IDC_NAMES_LIST), LVM_GETITEMCOUNT, 0, 0));
        })) << row.what;
        EXPECT_EQ(items, row.items) << row.what;
    }
}

TEST_F(MultiRenameDialog, ResizesAroundTheBottomRightCornerAndRemembersItsSize) {
    const std::wstring a = touch(L"a1.txt"), b = touch(L"a2.txt");
    const wchar_t* paths[] = {a.c_str(), b.c_str()};
    struct Rects {
        RECT ok, cancel, list, reset, check;
    };
    auto read = [](HWND dialog) {
        return Rects{rectInParent(GetDlgItem(dialog, IDOK)),
                     rectInParent(GetDlgItem(dialog, IDCANCEL)),
                     rectInParent(GetDlgItem(dialog, IDC_NAMES_LIST)),
                     rectInParent(GetDlgItem(dialog, IDC_RESET)),
                     rectInParent(GetDlgItem(dialog, IDC_ALLOW_EXTENSION_CHANGES))};
    };
    // Earlier runs stored sizes in the prefix's registry: start from the template's.
    for (const wchar_t* value : {L"MultiRenameDlgWidth", L"MultiRenameDlgHeight"})
        RegDeleteKeyValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Nombrel Software\\Sorrelcast", value);
    Rects before = {}, after = {};
    RECT client = {}, grip = {}, sized = {}, dragged = {600, 100, 700, 150};
    bool gripVisible = false, gripWhenMaximised = true, gripWhenRestored = false;
    ASSERT_TRUE(runAndInspect(2, paths, [&](HWND dialog) {
        before = read(dialog);
        SetWindowPos(dialog, nullptr, 0, 0, 700, 480, SWP_NOMOVE | SWP_NOZORDER);
        after = read(dialog);
        GetClientRect(dialog, &client);
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (className(child) == L"ScrollBar" &&
                (GetWindowLongPtrW(child, GWL_STYLE) & SBS_SIZEGRIP)) {
                grip = rectInParent(child);
                gripVisible = IsWindowVisible(child) != FALSE;
                ShowWindow(dialog, SW_MAXIMIZE);
                gripWhenMaximised = IsWindowVisible(child) != FALSE;
                ShowWindow(dialog, SW_RESTORE);
                gripWhenRestored = IsWindowVisible(child) != FALSE;
            }
        }
        SendMessageW(dialog, WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&dragged));
        GetWindowRect(dialog, &sized);
    }));
    const LONG dx = after.ok.right - before.ok.right;
    const LONG dy = after.ok.bottom - before.ok.bottom;
    EXPECT_GT(dx, 0);
    EXPECT_GT(dy, 0);
    const struct {
        const char* what;
        RECT was, is, shift;
    } table[] = {
        {"Rename moves", before.ok, after.ok, {dx, dy, dx, dy}},
        {"Cancel moves", before.cancel, after.cancel, {dx, dy, dx, dy}},
        {"the list stretches", before.list, after.list, {0, 0, dx, dy}},
        {"Reset stays", before.reset, after.reset, {0, 0, 0, 0}},
        {"the check box stays", before.check, after.check, {0, 0, 0, 0}},
    };
    for (const auto& row : table) {
        EXPECT_EQ(row.is.left - row.was.left, row.shift.left) << row.what;
        EXPECT_EQ(row.is.top - row.was.top, row.shift.top) << row.what;
        EXPECT_EQ(row.is.right - row.was.right, row.shift.right) << row.what;
        EXPECT_EQ(row.is.bottom - row.was.bottom, row.shift.bottom) << row.what;
    }
    EXPECT_TRUE(gripVisible);
    EXPECT_FALSE(gripWhenMaximised);
    EXPECT_TRUE(gripWhenRestored);
    EXPECT_EQ(grip.right, client.right);
    EXPECT_EQ(grip.bottom, client.bottom);
    // Dragging the left edge below the minimum keeps the right edge; 96 dpi here.
    EXPECT_EQ(dragged.right, 700);
    EXPECT_EQ(dragged.right - dragged.left, 420);
    EXPECT_EQ(dragged.bottom, 150);
    EXPECT_EQ(dragged.bottom - dragged.top, 300);

    // Stored in DIP in the per-user settings; 96 dpi here.
    const struct {
        const wchar_t* value;
        LONG size;
    } stored[] = {{L"MultiRenameDlgWidth", sized.right - sized.left},
                  {L"MultiRenameDlgHeight", sized.bottom - sized.top}};
    for (const auto& row : stored) {
        DWORD value = 0, bytes = sizeof(value);
        EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"SOFTWARE\\Nombrel Software\\Sorrelcast",
                               row.value, RRF_RT_REG_DWORD, nullptr, &value, &bytes),
                  ERROR_SUCCESS)
            << row.value;
        EXPECT_EQ(static_cast<LONG>(value), row.size) << row.value;
    }

    // The next opening starts at the size the last one closed with.
    RECT reopened = {};
    ASSERT_TRUE(runAndInspect(2, paths, [&](HWND dialog) { GetWindowRect(dialog, &reopened); }));
    EXPECT_EQ(reopened.right - reopened.left, sized.right - sized.left);
    EXPECT_EQ(reopened.bottom - reopened.top, sized.bottom - sized.top);
}

TEST_F(MultiRenameDialog, IgnoresAStoredSizeThatIsZeroOrHalf) {
    const std::wstring a = touch(L"a1.txt");
    const wchar_t* paths[] = {a.c_str()};
    const wchar_t* key = L"SOFTWARE\\Nombrel Software\\Sorrelcast";
    auto store = [&](const wchar_t* value, const DWORD* size) {
        if (!size) {
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key, value);
            return;
        }
        RegSetKeyValueW(HKEY_CURRENT_USER, key, value, REG_DWORD, size, sizeof(DWORD));
    };
    auto openedSize = [&] {
        RECT rect = {};
        EXPECT_TRUE(runAndInspect(1, paths, [&](HWND dialog) { GetWindowRect(dialog, &rect); }));
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    };
    store(L"MultiRenameDlgWidth", nullptr);
    store(L"MultiRenameDlgHeight", nullptr);
    const SIZE templateSize = openedSize();
    const DWORD zero = 0, width = 640, height = 400;
    const struct {
        const char* what;
        const DWORD *width, *height;
        SIZE expected;
    } table[] = {
        {"zero by zero", &zero, &zero, templateSize},
        {"only a width", &width, nullptr, templateSize},
        {"a zero height", &width, &zero, templateSize},
        {"both", &width, &height, {640, 400}},
    };
    for (const auto& row : table) {
        store(L"MultiRenameDlgWidth", row.width);
        store(L"MultiRenameDlgHeight", row.height);
        const SIZE opened = openedSize();
        EXPECT_EQ(opened.cx, row.expected.cx) << row.what;
        EXPECT_EQ(opened.cy, row.expected.cy) << row.what;
    }
}

} // namespace
} // namespace mr::test
