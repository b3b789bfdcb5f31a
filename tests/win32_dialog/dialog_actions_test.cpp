// "Rename", the list's menu, the paste button and the check boxes reach the model, and its
// decisions reach the list, the message boxes and the disk.
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

TEST_F(DialogActions, RenameShowsTheProblemsAndTheirImagesThenNothingToChangeCloses) {
    touch(L"keep.txt"); // not selected: its name is taken
    const auto paths =
        touchAll({L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt", L"f.txt", L"g.txt", L"noext"});
    const Names lines = {L"dup", L"dup", L"keep", L"e", L"d", L"f", L"new g", L".x"};
    const Names newNames = {L"dup.txt", L"dup.txt", L"keep.txt",  L"e.txt",
                            L"d.txt",   L"f.txt",   L"new g.txt", L""};
    // Same as another, held by a file that stays or a ring, unchanged, good, empty.
    const std::vector<int> images = {5, 5, 6, 6, 6, 2, 1, 4};
    ListRows rows;
    std::wstring message, unchanged;
    bool stayedOpen = false, closed = false;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        pasteNames(dialog, lines);
        rows = readList(dialog);
        clickButton(dialog, IDOK);
        message = answerMessage();
        stayedOpen = IsWindowVisible(dialog) != FALSE;
        listCommand(dialog, ID_SELECT_ALL);
        listCommand(dialog, ID_RESET_NAMES);
        clickButton(dialog, IDOK);
        unchanged = answerMessage();
        closed = waitUntilClosed(dialog);
    }));
    EXPECT_EQ(rows.newNames, newNames);
    EXPECT_EQ(rows.stateImages, images);
    EXPECT_EQ(message, L"Unable to rename files:\r\n"
                       L"2 files are being renamed to the same name.\r\n"
                       L"3 files are being renamed to the same name as existing files.\r\n"
                       L"1 file is being renamed to empty name.");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(unchanged, L"No changes have been made, so no files have been renamed.");
    EXPECT_TRUE(closed);
    for (const auto& p : paths)
        EXPECT_TRUE(fs::exists(p)) << "nothing is renamed";
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
            listCommand(dialog, ID_INVERT_SELECTION); // none selected
            selectRows(dialog, {1});
            listCommand(dialog, ID_INVERT_SELECTION);
            record(dialog, "invert one");
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
        {"invert one", all, all, someSelected, L"", true},
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

} // namespace
} // namespace mr::test
