// The Multi Rename dialog as the host's call shows it, read back and closed with Cancel.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>
#include <cwctype>
#include <tlhelp32.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace mr::test {
namespace {

using MultiRenameDialog = FolderTest;

std::wstring lastHeading(HWND list) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    wchar_t text[64] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    const auto columns = SendMessageW(header, HDM_GETITEMCOUNT, 0, 0);
    SendMessageW(header, HDM_GETITEMW, columns - 1, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Version 6 of the common controls: this program imports none, only the module's manifest.
bool versionSixControlsLoaded() {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found;
         more = Module32NextW(snapshot, &entry)) {
        std::wstring path = entry.szExePath;
        for (auto& c : path)
            c = static_cast<wchar_t>(towlower(c));
        found = path.find(L"common-controls") != std::wstring::npos &&
                path.find(L"_6.0.") != std::wstring::npos;
    }
    CloseHandle(snapshot);
    return found;
}

TEST_F(MultiRenameDialog, ShowsItsControlsAndEachFileOnceWithAFolderColumnForSeveralFolders) {
    const std::pair<int, const wchar_t*> controls[] = {
        // clang-format off
        {IDOK, L"Rename"}, {IDCANCEL, L"Cancel"}, {IDC_ALLOW_EXTENSION_CHANGES, L"Allow Extension Changes"},
        {IDC_NUMBERS_AS_TEXT, L"Treat Numbers as Text"}, {IDC_RESET, L"Reset"}, {IDC_COPY_NAMES, L"Copy Names"},
        {IDC_PASTE_NAMES, L"Paste Names"},
        // clang-format on
    };
    // The widest name in pixels is neither the longest nor the first.
    const auto one = touchAll({L"WWWWWW.txt", L"iiiiiiiiiiii.txt", L"a.txt"});
    const std::wstring x1 = touch(L"one\\x1.txt"), x2 = touch(L"two\\x2.txt");
    const struct {
        const char* what;
        std::vector<std::wstring> paths;
        std::vector<std::wstring> names;  // upper-cased order
        std::wstring lastHeading, folder; // the second row's folder column
    } table[] = {
        // clang-format off
        {"one folder, a file given twice", {one[0], one[1], one[2], one[0]},
         {L"a.txt", L"iiiiiiiiiiii.txt", L"WWWWWW.txt"}, L"New Name", L""},
        {"two folders", {x2, x1}, {L"x1.txt", L"x2.txt"}, L"Folder", (root / L"two").wstring() + L"\\"},
        // clang-format on
    };
    for (const auto& row : table) {
        ListRows rows;
        std::wstring title, heading, folder;
        std::vector<std::wstring> texts;
        std::string problems;
        int oldColumn = 0, automatic = 0;
        ASSERT_TRUE(runAndInspect(row.paths, [&](HWND dialog) {
            title = windowText(dialog);
            for (const auto& [id, text] : controls)
                texts.push_back(GetDlgItem(dialog, id) ? windowText(GetDlgItem(dialog, id)) : L"?");
            problems = layoutProblems(dialog);
            rows = readList(dialog);
            HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
            heading = lastHeading(list);
            folder = heading == L"Folder" ? listText(list, 1, 2) : L"";
            oldColumn = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
            SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, LVSCW_AUTOSIZE);
            automatic = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0));
        })) << row.what;
        EXPECT_EQ(title, L"Multi Rename");
        for (size_t i = 0; i < std::size(controls); ++i)
            EXPECT_EQ(texts[i], controls[i].second) << controls[i].first;
        EXPECT_EQ(problems, "") << row.what;
        EXPECT_TRUE(versionSixControlsLoaded());
        EXPECT_EQ(rows.oldNames, row.names) << row.what;
        // The untouched pattern gives every file its own name back: unchanged.
        EXPECT_EQ(rows.newNames, row.names) << row.what;
        EXPECT_EQ(rows.stateImages, std::vector<int>(row.names.size(), 2)) << row.what;
        EXPECT_EQ(heading, row.lastHeading) << row.what;
        EXPECT_EQ(folder, row.folder) << row.what;
        // The old names' column fits its widest name and 20 pixels more.
        EXPECT_EQ(oldColumn, automatic + 20) << row.what;
    }
}

TEST_F(MultiRenameDialog, OpensOverAnyInputWithoutReadingWhatItMustNot) {
    const std::wstring real = touch(L"real.txt");
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L"\\name.txt";
    const std::wstring longName = (root / std::wstring(270, L'b')).wstring();
    // Never dereferenced: the count says there is nothing to read.
    const auto* poison = reinterpret_cast<const wchar_t* const*>(static_cast<uintptr_t>(0x10));
    const wchar_t* mixed[] = {
        real.c_str(), nullptr, longPath.c_str(), longName.c_str(), L"Q:\\none", L"relative.txt",
        L"",          L"\\"};
    const struct {
        const char* what;
        int count;
        const wchar_t* const* paths;
        int items;
    } table[] = {
        {"negative count", -3, poison, 0},
        {"positive count, null array", 2, nullptr, 0},
        {"one real path among null, too long and missing ones", 8, mixed, 1},
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

TEST_F(MultiRenameDialog, HundredThousandPathsOpenTheDialogAndCancelKeepsEveryName) {
    // Creating files under Wine is slow: only a few thousand are real, the rest drop out.
    constexpr int kPaths = 100000, kFiles = 2000;
    std::vector<std::wstring> paths;
    for (int i = 0; i < kPaths; ++i) {
        const std::wstring name = L"IMG_" + std::to_wstring(i + 1) + L".jpg";
        paths.push_back(i < kFiles ? touch(name) : (root / name).wstring());
    }
    int rows = -1;
    std::wstring first;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        first = listText(list, 0, 0);
    }));
    EXPECT_EQ(rows, kFiles);
    EXPECT_EQ(first, L"IMG_1.jpg");
    for (int i = 0; i < kFiles; ++i)
        ASSERT_TRUE(std::filesystem::exists(paths[i])) << i;
}

using Edges = std::array<LONG, 4>;
Edges edges(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

TEST_F(MultiRenameDialog, ResizesAroundTheBottomRightCornerAndRemembersItsSize) {
    const int ids[] = {IDOK, IDC_NAMES_LIST, IDC_RESET}; // moved, stretched, staying
    auto read = [&](HWND dialog) {
        std::vector<RECT> rects;
        for (const int id : ids)
            rects.push_back(rectInParent(GetDlgItem(dialog, id)));
        return rects;
    };
    // Earlier runs stored sizes in the prefix's registry: start from the template's.
    storeDword(kSettingsKey, L"MultiRenameDlgWidth", std::nullopt);
    std::vector<RECT> before, after;
    RECT client = {}, grip = {};
    std::vector<bool> gripShown; // normal, maximised, restored
    ASSERT_TRUE(runAndInspect(touchAll({L"a1.txt", L"a2.txt"}), [&](HWND dialog) {
        before = read(dialog);
        SetWindowPos(dialog, nullptr, 0, 0, 700, 480, SWP_NOMOVE | SWP_NOZORDER);
        after = read(dialog);
        GetClientRect(dialog, &client);
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (className(child) != L"ScrollBar")
                continue;
            grip = rectInParent(child);
            for (const int show : {SW_SHOWNORMAL, SW_MAXIMIZE, SW_RESTORE}) {
                ShowWindow(dialog, show);
                gripShown.push_back(IsWindowVisible(child) != FALSE);
            }
        }
        SetWindowPos(dialog, nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
    }));
    const LONG dx = after[0].right - before[0].right, dy = after[0].bottom - before[0].bottom;
    EXPECT_GT(dx, 0);
    EXPECT_GT(dy, 0);
    const Edges shifts[] = {{dx, dy, dx, dy}, {0, 0, dx, dy}, {}};
    for (size_t i = 0; i < std::size(ids); ++i) {
        const Edges was = edges(before[i]), is = edges(after[i]);
        EXPECT_EQ((Edges{is[0] - was[0], is[1] - was[1], is[2] - was[2], is[3] - was[3]}),
                  shifts[i])
            << ids[i];
    }
    EXPECT_EQ(gripShown, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(grip.right, client.right);
    EXPECT_EQ(grip.bottom, client.bottom);
    // Stored in DIP, 96 dpi here.
    EXPECT_EQ(storedDword(kSettingsKey, L"MultiRenameDlgWidth"), 640u);
    EXPECT_EQ(storedDword(kSettingsKey, L"MultiRenameDlgHeight"), 420u);
}

TEST_F(MultiRenameDialog, IgnoresAStoredSizeThatIsZeroOrHalf) {
    const auto paths = touchAll({L"a1.txt"});
    auto openedSize = [&](std::optional<DWORD> width, std::optional<DWORD> height) {
        storeDword(kSettingsKey, L"MultiRenameDlgWidth", width);
        storeDword(kSettingsKey, L"MultiRenameDlgHeight", height);
        RECT rect = {};
        EXPECT_TRUE(runAndInspect(paths, [&](HWND dialog) { GetWindowRect(dialog, &rect); }));
        return std::pair(rect.right - rect.left, rect.bottom - rect.top);
    };
    const auto templateSize = openedSize(std::nullopt, std::nullopt);
    EXPECT_EQ(openedSize(640, std::nullopt), templateSize) << "only a width";
    EXPECT_EQ(openedSize(640, 0), templateSize) << "a zero height";
    EXPECT_EQ(openedSize(640, 400), std::pair(640L, 400L)) << "both: the size last closed with";
}

} // namespace
} // namespace mr::test
