// The Multi Rename dialog at work: its rules live in the model, so these prove that
// "Rename", the list's menu, the paste button and the check boxes reach the model and
// that what it decides reaches the list, the message boxes and the disk.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace mr::test {
namespace {

namespace fs = std::filesystem;

using DialogActions = FolderTest;
using Names = std::vector<std::wstring>;

TEST_F(DialogActions, RenameShowsTheProblemsAndTheirImagesAndKeepsTheFiles) {
    touch(L"keep.txt"); // not selected: its name is taken
    const auto paths =
        touchAll({L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt", L"f.txt", L"g.txt", L"noext"});
    const Names lines = {L"dup", L"dup", L"keep", L"e", L"d", L"f", L"new g", L".x"};
    const Names newNames = {L"dup.txt", L"dup.txt", L"keep.txt",  L"e.txt",
                            L"d.txt",   L"f.txt",   L"new g.txt", L""};
    // Same as another, held by a file that stays or a ring, unchanged, good, empty.
    const std::vector<int> images = {5, 5, 6, 6, 6, 2, 1, 4};
    ListRows rows;
    std::wstring message;
    bool stayedOpen = false;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        pasteNames(dialog, lines);
        rows = readList(dialog);
        clickButton(dialog, IDOK);
        message = answerMessage();
        stayedOpen = IsWindowVisible(dialog) != FALSE;
    }));
    EXPECT_EQ(rows.newNames, newNames);
    EXPECT_EQ(rows.stateImages, images);
    EXPECT_EQ(message, L"Unable to rename files:\r\n"
                       L"2 files are being renamed to the same name.\r\n"
                       L"3 files are being renamed to the same name as existing files.\r\n"
                       L"1 file is being renamed to empty name.");
    EXPECT_TRUE(stayedOpen);
    for (const auto& p : paths)
        EXPECT_TRUE(fs::exists(p)) << "nothing is renamed";
}

TEST_F(DialogActions, RenameWithNothingToChangeInformsAndCloses) {
    std::wstring message;
    bool closed = false;
    ASSERT_TRUE(runAndInspect(touchAll({L"a1.txt", L"a2.txt"}), [&](HWND dialog) {
        clickButton(dialog, IDOK);
        message = answerMessage();
        closed = waitUntilClosed(dialog);
    }));
    EXPECT_EQ(message, L"No changes have been made, so no files have been renamed.");
    EXPECT_TRUE(closed);
}

TEST_F(DialogActions, ListCommandsAndPastesReachTheRows) {
    struct Step {
        const char* what;
        Names oldNames, newNames;
        std::vector<bool> selected;
        std::wstring message;
        bool editable; // the field row, which names pasted on every row disable
    };
    std::vector<Step> seen;
    auto record = [&](HWND dialog, const char* what, std::wstring message = L"") {
        const ListRows rows = readList(dialog);
        seen.push_back({what, rows.oldNames, rows.newNames, rows.selected, message,
                        enabled(dialog, IDC_FIELD_EDIT)});
    };
    const std::wstring tooLong(256, L'p');
    ASSERT_TRUE(
        runAndInspect(touchAll({L"n1.txt", L"n2.txt", L"n3.txt", L"n4.txt"}), [&](HWND dialog) {
            listCommand(dialog, ID_SELECT_ALL);
            record(dialog, "select all");
            listCommand(dialog, ID_INVERT_SELECTION);
            record(dialog, "invert all");
            selectRows(dialog, {1});
            listCommand(dialog, ID_INVERT_SELECTION);
            record(dialog, "invert one");
            pasteNames(dialog, {L"p1", L"p2", L"p3"}, true);
            record(dialog, "three lines", answerMessage());
            pasteNames(dialog, {L"p1", L" :", L"p3", L"p4"}, true);
            record(dialog, "a colon", answerMessage());
            pasteNames(dialog, {L"p1", tooLong, L"p3", L"p4"}, true);
            record(dialog, "a line of 256", answerMessage());
            pasteNames(dialog, {L"p1", L"p2", L"p3", L"p4"});
            record(dialog, "paste four");
            listCommand(dialog, ID_RESET_NAMES); // rows 0, 2, 3 selected
            record(dialog, "reset names");
            listCommand(dialog, ID_REMOVE_FILES);
            record(dialog, "remove three");
            listCommand(dialog, ID_SELECT_ALL);
            listCommand(dialog, ID_REMOVE_FILES, true);
            record(dialog, "remove all", answerMessage());
        }));
    const Names all = {L"n1.txt", L"n2.txt", L"n3.txt", L"n4.txt"};
    const std::vector<bool> someSelected = {true, false, true, true};
    const Step expected[] = {
        // clang-format off
        {"select all", all, all, {true, true, true, true}, L"", true},
        {"invert all", all, all, {false, false, false, false}, L"", true},
        {"invert one", all, all, someSelected, L"", true},
        {"three lines", all, all, someSelected,
         L"The text on the clipboard must contain one line for each filename.\n\n"
         L"Number of files to rename: 4\nNumber of lines on clipboard: 3", true},
        {"a colon", all, all, someSelected,
         L"The text on the clipboard cannot be used to name the files, since it contains one "
         L"of these characters which are not allowed in filenames:\n\\ / : * ? \" < > |", true},
        {"a line of 256", all, all, someSelected,
         L"The text on the clipboard cannot be used to name the files, since at least one line "
         L"is longer than the maximum filename length allowed by Windows (255 characters).", true},
        {"paste four", all, {L"p1.txt", L"p2.txt", L"p3.txt", L"p4.txt"}, someSelected, L"", false},
        {"reset names", all, {L"n1.txt", L"p2.txt", L"n3.txt", L"n4.txt"}, someSelected, L"", true},
        {"remove three", {L"n2.txt"}, {L"p2.txt"}, {false}, L"", true},
        {"remove all", {L"n2.txt"}, {L"p2.txt"}, {true}, L"You cannot remove all the files from the list.", true},
        // clang-format on
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].oldNames, expected[i].oldNames) << expected[i].what;
        EXPECT_EQ(seen[i].newNames, expected[i].newNames) << expected[i].what;
        EXPECT_EQ(seen[i].selected, expected[i].selected) << expected[i].what;
        EXPECT_EQ(seen[i].message, expected[i].message) << expected[i].what;
        EXPECT_EQ(seen[i].editable, expected[i].editable) << expected[i].what;
    }
}

TEST_F(DialogActions, ContextMenuFromTheKeyboardShowsTheModelsTexts) {
    Names texts;
    std::vector<UINT> ids;
    POINT menuAt = {}, expectedAt = {5, 5};
    ASSERT_TRUE(runAndInspect(touchAll({L"m1.txt", L"m2.txt", L"m3.txt"}), [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        selectRows(dialog, {1});
        PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
        HWND menu = nullptr;
        for (int i = 0; i < 1500 && !menu; ++i, Sleep(20))
            if (HWND found = FindWindowW(L"#32768", nullptr); found && IsWindowVisible(found))
                menu = found;
        ASSERT_NE(menu, nullptr);
        const auto popup = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(popup); ++i) {
            wchar_t text[128] = {};
            GetMenuStringW(popup, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            texts.push_back(text);
            ids.push_back(text[0] ? GetMenuItemID(popup, i) : 0);
        }
        RECT rect = {};
        GetWindowRect(menu, &rect);
        menuAt = {rect.left, rect.top};
        ClientToScreen(list, &expectedAt);
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int i = 0; i < 1500 && IsWindowVisible(menu); ++i)
            Sleep(20);
    }));
    // One file selected: the singular of each text.
    EXPECT_EQ(texts, (Names{L"&Copy Name", L"&Paste Name", L"&Reset Name", L"Remove File From List",
                            L"", L"Select &All", L"&Invert Selection"}));
    EXPECT_EQ(ids, (std::vector<UINT>{ID_COPY_NAMES, ID_PASTE_NAMES, ID_RESET_NAMES,
                                      ID_REMOVE_FILES, 0, ID_SELECT_ALL, ID_INVERT_SELECTION}));
    EXPECT_EQ(menuAt.x, expectedAt.x);
    EXPECT_EQ(menuAt.y, expectedAt.y);
}

// The two check boxes as the user sees them: checked and enabled, each.
using Boxes = std::vector<bool>;

TEST_F(DialogActions, CheckBoxesFollowTheNamesAndAreRememberedInTheProcess) {
    const auto numbered = touchAll({L"x1.txt", L"x2.txt"});
    const auto unnumbered = touchAll({L"plain", L"other.txt"});
    constexpr int kExt = IDC_ALLOW_EXTENSION_CHANGES, kNum = IDC_NUMBERS_AS_TEXT;
    auto read = [&](HWND d) {
        return Boxes{checked(d, kExt), enabled(d, kExt), checked(d, kNum), enabled(d, kNum)};
    };
    const struct {
        const char* what;
        const std::vector<std::wstring>& paths;
        std::vector<int> clicks;
        Boxes before, after;
    } table[] = {
        // clang-format off
        {"fresh process", numbered, {kExt, kNum}, {false, true, false, true}, {true, true, true, true}},
        {"no number, no common extension", unnumbered, {}, {false, false, false, false}, {false, false, false, false}},
        {"remembered", numbered, {kExt, kNum}, {true, true, true, true}, {false, true, false, true}},
        {"back to the start", numbered, {}, {false, true, false, true}, {false, true, false, true}},
        // clang-format on
    };
    for (const auto& row : table) {
        Boxes before, after;
        ASSERT_TRUE(runAndInspect(row.paths, [&](HWND dialog) {
            before = read(dialog);
            for (const int id : row.clicks)
                pressButton(dialog, id);
            after = read(dialog);
        })) << row.what;
        EXPECT_EQ(before, row.before) << row.what;
        EXPECT_EQ(after, row.after) << row.what;
    }
}

} // namespace
} // namespace mr::test
