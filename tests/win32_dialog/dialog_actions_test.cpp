// "Rename", the list's menu and the paste button reach the model, and its decisions reach the
// list, the message boxes and the disk.
#include "driver.h"
#include "resources/resource.h"

#include <filesystem>

namespace mr::test {
namespace {

using DialogActions = FolderTest;
using Names = std::vector<std::wstring>;

TEST_F(DialogActions, PastesProblemsListCommandsAndRefusalsThenNothingToChangeCloses) {
    touch(L"keep.txt"); // not selected: its name is taken
    const auto paths =
        touchAll({L"a.txt", L"b.txt", L"c.txt", L"d.txt", L"e.txt", L"f.txt", L"g.txt", L"noext"});
    ListRows pasted, reset, removed;
    std::wstring colon, copied, problems, removeAll, unchanged;
    bool pastedEditable = true, closed = false;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        pasteNames(dialog, {L"p", L" :", L"p", L"p", L"p", L"p", L"p", L"p"}, true);
        colon = answerMessage();
        pasteNames(dialog,
                   {L"dup", L"dup", L"keep", L"e", L"d", L"f", L"\u00e9t\u00e9 \u65e5", L".x"});
        pasted = readList(dialog);
        pastedEditable = enabled(dialog, IDC_FIELD_EDIT);
        clickButton(dialog, IDC_COPY_NAMES);
        answerMessage();
        copied = clipboardTextNow();
        clickButton(dialog, IDOK);
        problems = answerMessage();
        listCommand(dialog, ID_SELECT_ALL);
        listCommand(dialog, ID_INVERT_SELECTION); // none selected
        selectRow(dialog, 1);
        listCommand(dialog, ID_INVERT_SELECTION);
        listCommand(dialog, ID_RESET_NAMES);
        reset = readList(dialog);
        listCommand(dialog, ID_REMOVE_FILES);
        removed = readList(dialog);
        listCommand(dialog, ID_SELECT_ALL);
        listCommand(dialog, ID_REMOVE_FILES, true);
        removeAll = answerMessage();
        listCommand(dialog, ID_RESET_NAMES);
        clickButton(dialog, IDOK);
        unchanged = answerMessage();
        closed = waitUntilClosed(dialog);
    }));
    EXPECT_EQ(colon, L"The text on the clipboard cannot be used to name the files, since it "
                     L"contains one of these characters which are not allowed in filenames:\n"
                     L"\\ / : * ? \" < > |");
    EXPECT_EQ(pasted.newNames, (Names{L"dup.txt", L"dup.txt", L"keep.txt", L"e.txt", L"d.txt",
                                      L"f.txt", L"\u00e9t\u00e9 \u65e5.txt", L""}));
    // As another program reads it.
    EXPECT_EQ(copied,
              L"dup.txt\ndup.txt\nkeep.txt\ne.txt\nd.txt\nf.txt\n\u00e9t\u00e9 \u65e5.txt\n\n");
    // Same as another, held by a file that stays or a ring, unchanged, good, empty.
    EXPECT_EQ(pasted.stateImages, (std::vector<int>{5, 5, 6, 6, 6, 2, 1, 4}));
    EXPECT_FALSE(pastedEditable);
    EXPECT_EQ(problems, L"Unable to rename files:\r\n"
                        L"2 files are being renamed to the same name.\r\n"
                        L"3 files are being renamed to the same name as existing files.\r\n"
                        L"1 file is being renamed to empty name.");
    EXPECT_EQ(reset.newNames, (Names{L"a.txt", L"dup.txt", L"c.txt", L"d.txt", L"e.txt", L"f.txt",
                                     L"g.txt", L"noext"}));
    EXPECT_EQ(removed.oldNames, (Names{L"b.txt"}));
    EXPECT_EQ(removeAll, L"You cannot remove all the files from the list.");
    EXPECT_EQ(unchanged, L"No changes have been made, so no files have been renamed.");
    EXPECT_TRUE(closed);
    for (const auto& p : paths)
        EXPECT_TRUE(std::filesystem::exists(p)) << "nothing is renamed";
}

} // namespace
} // namespace mr::test
