// The Multi Rename dialog at work: pasted names, the status images they lead to, the
// messages of "Rename", renames on disk, the list's menu commands and the check boxes.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace mr::test {
namespace {

namespace fs = std::filesystem;

using DialogActions = FolderTest;

// Presses "Rename", answers the message box it opens and returns its text.
std::wstring renameMessage(HWND dialog) {
    clickButton(dialog, IDOK);
    return answerMessage();
}

TEST_F(DialogActions, EveryProblemShowsItsImageAndRenameListsThem) {
    touch(L"keep.txt"); // not selected: its name is taken
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt", L"f.txt",
                                L"g.txt", L"h.txt", L"noext1", L"noext2"})
        paths.push_back(touch(name));
    std::vector<const wchar_t*> raw;
    for (const auto& p : paths)
        raw.push_back(p.c_str());

    const struct {
        const wchar_t* old;
        std::wstring line, newName;
        int image;
    } table[] = {
        {L"a.txt", L"dup", L"dup.txt", 5},     // same as another
        {L"b.txt", L"dup", L"dup.txt", 5},     //
        {L"c.txt", L"keep", L"keep.txt", 6},   // held by a file that stays
        {L"d.txt", L"e", L"e.txt", 6},         // a ring of two
        {L"e.txt", L"d", L"d.txt", 6},         //
        {L"f.txt", L"f", L"f.txt", 2},         // unchanged
        {L"g.txt", L"new g", L"new g.txt", 1}, // good
        {L"h.txt", std::wstring(254, L'h'), std::wstring(254, L'h') + L".txt", 7}, // too long
        {L"noext1", L".x", L"", 4},                                                // empty
        {L"noext2", L"ends in space .x", L"ends in space ", 7},                    // space rule
    };
    std::vector<std::wstring> lines;
    for (const auto& row : table)
        lines.push_back(row.line);

    ListRows rows;
    std::wstring message;
    bool stayedOpen = false;
    ASSERT_TRUE(runAndInspect(static_cast<int>(raw.size()), raw.data(), [&](HWND dialog) {
        pasteNames(dialog, lines);
        rows = readList(dialog);
        message = renameMessage(dialog);
        stayedOpen = IsWindowVisible(dialog) != FALSE;
    }));
    ASSERT_EQ(rows.oldNames.size(), std::size(table));
    for (size_t i = 0; i < std::size(table); ++i) {
        EXPECT_EQ(rows.oldNames[i], table[i].old);
        EXPECT_EQ(rows.newNames[i], table[i].newName) << table[i].old;
        EXPECT_EQ(rows.stateImages[i], table[i].image) << table[i].old;
    }
    EXPECT_EQ(message, L"Unable to rename files:\r\n"
                       L"2 files are being renamed to the same name.\r\n"
                       L"3 files are being renamed to the same name as existing files.\r\n"
                       L"1 file is being renamed to empty name.\r\n"
                       L"1 file is being renamed to an invalid name. Filenames must not start "
                       L"or end with a space, and must not end with a period.\r\n"
                       L"1 file is being renamed to a name that is too long (> 255 characters).");
    EXPECT_TRUE(stayedOpen);
    for (const auto& p : paths)
        EXPECT_TRUE(fs::exists(p)) << "nothing is renamed";
}

TEST_F(DialogActions, RenameWithNothingToChangeInformsAndCloses) {
    const std::wstring a = touch(L"a1.txt"), b = touch(L"a2.txt");
    const wchar_t* paths[] = {a.c_str(), b.c_str()};
    std::wstring message;
    bool closed = false;
    ASSERT_TRUE(runAndInspect(2, paths, [&](HWND dialog) {
        message = renameMessage(dialog);
        closed = waitUntilClosed(dialog);
    }));
    EXPECT_EQ(message, L"No changes have been made, so no files have been renamed.");
    EXPECT_TRUE(closed);
}

TEST_F(DialogActions, RenamesChainsAndNestedFoldersOnDisk) {
    const std::wstring a = touch(L"a.txt", "A"), b = touch(L"b.txt", "B");
    const std::wstring inner = touch(L"dir\\x.txt", "X");
    const std::wstring dir = (root / L"dir").wstring();
    const wchar_t* paths[] = {a.c_str(), b.c_str(), dir.c_str(), inner.c_str()};
    ListRows rows;
    bool closed = false;
    ASSERT_TRUE(runAndInspect(4, paths, [&](HWND dialog) {
        // Rows: a.txt, b.txt, dir, then dir\x.txt.
        pasteNames(dialog, {L"b", L"c", L"dir2", L"y"});
        rows = readList(dialog);
        clickButton(dialog, IDOK);
        closed = waitUntilClosed(dialog);
    }));
    EXPECT_EQ(rows.newNames, (std::vector<std::wstring>{L"b.txt", L"c.txt", L"dir2", L"y.txt"}));
    EXPECT_EQ(rows.stateImages, (std::vector<int>{1, 1, 1, 1}));
    EXPECT_TRUE(closed);
    const struct {
        const wchar_t* path;
        const char* text;
    } table[] = {{L"b.txt", "A"}, {L"c.txt", "B"}, {L"dir2\\y.txt", "X"}};
    for (const auto& row : table)
        EXPECT_EQ(contents(row.path), row.text) << fs::path(row.path).string();
    EXPECT_FALSE(fs::exists(root / L"a.txt"));
    EXPECT_FALSE(fs::exists(root / L"dir"));
}

TEST_F(DialogActions, MenuCommandsSelectRemoveAndResetRows) {
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"n1.txt", L"n2.txt", L"n3.txt", L"n4.txt"})
        paths.push_back(touch(name));
    const wchar_t* raw[] = {paths[0].c_str(), paths[1].c_str(), paths[2].c_str(), paths[3].c_str()};
    struct Step {
        const char* what;
        std::vector<std::wstring> oldNames, newNames;
        std::vector<bool> selected;
        std::wstring message;
    };
    std::vector<Step> seen;
    auto record = [&](HWND dialog, const char* what, std::wstring message = L"") {
        const ListRows rows = readList(dialog);
        seen.push_back({what, rows.oldNames, rows.newNames, rows.selected, message});
    };
    auto select = [](HWND dialog, int row) {
        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(GetDlgItem(dialog, IDC_NAMES_LIST), LVM_SETITEMSTATE, row,
                     reinterpret_cast<LPARAM>(&item));
    };
    ASSERT_TRUE(runAndInspect(4, raw, [&](HWND dialog) {
        listCommand(dialog, ID_SELECT_ALL);
        record(dialog, "select all");
        listCommand(dialog, ID_INVERT_SELECTION);
        record(dialog, "invert all");
        select(dialog, 1);
        listCommand(dialog, ID_INVERT_SELECTION);
        record(dialog, "invert one");
        pasteNames(dialog, {L"p1", L"p2", L"p3"}, true);
        record(dialog, "paste three: line count refused", answerMessage());
        pasteNames(dialog, {L"p1", L"p2", L"p3", L"p4"});
        record(dialog, "paste four");
        listCommand(dialog, ID_RESET_NAMES); // rows 0, 2 and 3 are selected
        record(dialog, "reset names");
        listCommand(dialog, ID_REMOVE_FILES);
        record(dialog, "remove three");
        listCommand(dialog, ID_SELECT_ALL);
        listCommand(dialog, ID_REMOVE_FILES, true);
        record(dialog, "remove all: refused", answerMessage());
    }));
    const std::vector<std::wstring> all = {L"n1.txt", L"n2.txt", L"n3.txt", L"n4.txt"};
    const Step expected[] = {
        {"select all", all, all, {true, true, true, true}, L""},
        {"invert all", all, all, {false, false, false, false}, L""},
        {"invert one", all, all, {true, false, true, true}, L""},
        {"paste three: line count refused",
         all,
         all,
         {true, false, true, true},
         L"The text on the clipboard must contain one line for each filename.\n\n"
         L"Number of files to rename: 4\nNumber of lines on clipboard: 3"},
        {"paste four",
         all,
         {L"p1.txt", L"p2.txt", L"p3.txt", L"p4.txt"},
         {true, false, true, true},
         L""},
        {"reset names",
         all,
         {L"n1.txt", L"p2.txt", L"n3.txt", L"n4.txt"},
         {true, false, true, true},
         L""},
        {"remove three", {L"n2.txt"}, {L"p2.txt"}, {false}, L""},
        {"remove all: refused",
         {L"n2.txt"},
         {L"p2.txt"},
         {true},
         L"You cannot remove all the files from the list."},
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].oldNames, expected[i].oldNames) << expected[i].what;
        EXPECT_EQ(seen[i].newNames, expected[i].newNames) << expected[i].what;
        EXPECT_EQ(seen[i].selected, expected[i].selected) << expected[i].what;
        EXPECT_EQ(seen[i].message, expected[i].message) << expected[i].what;
    }
}

TEST_F(DialogActions, ContextMenuFromTheKeyboardResolvesPlurals) {
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"m1.txt", L"m2.txt", L"m3.txt"})
        paths.push_back(touch(name));
    const wchar_t* raw[] = {paths[0].c_str(), paths[1].c_str(), paths[2].c_str()};
    const std::vector<std::wstring> plural = {
        L"&Copy Names", L"&Paste Names",     L"&Reset Names", L"Remove Files From List", L"",
        L"Select &All", L"&Invert Selection"};
    const std::vector<std::wstring> single = {
        L"&Copy Name", L"&Paste Name", L"&Reset Name",      L"Remove File From List",
        L"",           L"Select &All", L"&Invert Selection"};
    const struct {
        std::vector<int> selected;
        const std::vector<std::wstring>& texts;
    } table[] = {{{}, plural}, {{1}, single}, {{0, 2}, plural}};
    for (const auto& row : table) {
        std::vector<std::wstring> texts;
        POINT menuAt = {}, expectedAt = {5, 5};
        ASSERT_TRUE(runAndInspect(3, raw, [&](HWND dialog) {
            HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
            for (int i : row.selected) {
                LVITEMW item = {};
                item.stateMask = item.state = LVIS_SELECTED;
                SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
            }
            PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
            HWND menu = nullptr;
            for (int i = 0; i < 1500 && !menu; ++i) {
                menu = FindWindowW(L"#32768", nullptr);
                if (!menu || !IsWindowVisible(menu)) {
                    menu = nullptr;
                    Sleep(20);
                }
            }
            if (!menu)
                return;
            const auto popup = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
            for (int i = 0; i < GetMenuItemCount(popup); ++i) {
                wchar_t text[128] = {};
                GetMenuStringW(popup, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
                texts.push_back(text);
            }
            RECT rect = {};
            GetWindowRect(menu, &rect);
            menuAt = {rect.left, rect.top};
            ClientToScreen(list, &expectedAt);
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            for (int i = 0; i < 1500 && IsWindowVisible(menu); ++i)
                Sleep(20);
        }));
        EXPECT_EQ(texts, row.texts) << row.selected.size() << " selected";
        EXPECT_EQ(menuAt.x, expectedAt.x);
        EXPECT_EQ(menuAt.y, expectedAt.y);
    }
}

// The two check boxes as the user sees them.
struct Boxes {
    bool extChecked, extEnabled, numChecked, numEnabled;
    bool operator==(const Boxes&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Boxes& b) {
        return out << "extension " << (b.extChecked ? "checked" : "clear")
                   << (b.extEnabled ? "" : " disabled") << ", numbers "
                   << (b.numChecked ? "checked" : "clear") << (b.numEnabled ? "" : " disabled");
    }
};

TEST_F(DialogActions, CheckBoxesFollowTheNamesAndAreRememberedInTheProcess) {
    const std::wstring x1 = touch(L"x1.txt"), x2 = touch(L"x2.txt");
    const std::wstring plain = touch(L"plain"), other = touch(L"other.txt");
    const wchar_t* numbered[] = {x1.c_str(), x2.c_str()};
    const wchar_t* unnumbered[] = {plain.c_str(), other.c_str()};
    auto read = [](HWND dialog) {
        HWND ext = GetDlgItem(dialog, IDC_ALLOW_EXTENSION_CHANGES);
        HWND num = GetDlgItem(dialog, IDC_NUMBERS_AS_TEXT);
        return Boxes{
            SendMessageW(ext, BM_GETCHECK, 0, 0) == BST_CHECKED, IsWindowEnabled(ext) != FALSE,
            SendMessageW(num, BM_GETCHECK, 0, 0) == BST_CHECKED, IsWindowEnabled(num) != FALSE};
    };
    const struct {
        const char* what;
        const wchar_t* const* paths;
        int click; // 0: none
        Boxes before, after;
    } table[] = {
        {"fresh process",
         numbered,
         IDC_NUMBERS_AS_TEXT,
         {false, true, false, true},
         {false, true, true, true}},
        {"remembered, clicked off",
         numbered,
         IDC_ALLOW_EXTENSION_CHANGES,
         {false, true, true, true},
         {true, true, true, true}},
        {"no number, no common extension: disabled",
         unnumbered,
         0,
         {false, false, false, false},
         {false, false, false, false}},
        {"both remembered",
         numbered,
         IDC_NUMBERS_AS_TEXT,
         {true, true, true, true},
         {true, true, false, true}},
        {"one left",
         numbered,
         IDC_ALLOW_EXTENSION_CHANGES,
         {true, true, false, true},
         {false, true, false, true}},
        {"back to the start", numbered, 0, {false, true, false, true}, {false, true, false, true}},
    };
    for (const auto& row : table) {
        Boxes before = {}, after = {};
        ASSERT_TRUE(runAndInspect(2, row.paths, [&](HWND dialog) {
            before = read(dialog);
            if (row.click)
                pressButton(dialog, row.click);
            after = read(dialog);
        })) << row.what;
        EXPECT_EQ(before, row.before) << row.what;
        EXPECT_EQ(after, row.after) << row.what;
    }
}

} // namespace
} // namespace mr::test
