// One whole session through the real dialog: a new text typed into the pattern, the
// number field renumbered in Change Number, one name pasted onto a selected row, and
// "Rename" carrying it all out on disk.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

namespace mr::test {
namespace {

namespace fs = std::filesystem;

using DialogSession = FolderTest;

TEST_F(DialogSession, EditRenumberPasteAndRename) {
    if (!haveDisplay())
        GTEST_SKIP() << "no display";
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"trip_0007.jpg", L"trip_0010.jpg", L"trip_0012.jpg"})
        paths.push_back(touch(name, fs::path(name).string()));
    const wchar_t* raw[] = {paths[0].c_str(), paths[1].c_str(), paths[2].c_str()};
    std::vector<std::wstring> afterTyping, afterRenumber, afterPaste;
    bool closed = false;
    ASSERT_TRUE(runAndInspect(3, raw, [&](HWND dialog) {
        const std::vector<HWND> edits = controlsWithId(dialog, IDC_FIELD_EDIT);
        const std::vector<HWND> buttons = controlsWithId(dialog, IDC_FIELD_BUTTON);
        ASSERT_EQ(edits.size(), 2u);
        ASSERT_EQ(buttons.size(), 1u);
        SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Rome_"));
        afterTyping = readList(dialog).newNames;

        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIELD_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(buttons[0]));
        HWND number = waitForWindow(L"Change Number");
        ASSERT_NE(number, nullptr);
        SendMessageW(GetDlgItem(number, IDC_NUMBER_RENUMBER), BM_CLICK, 0, 0);
        SendMessageW(GetDlgItem(number, IDC_NUMBER_START), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"1"));
        clickButton(number, IDOK);
        waitUntilClosed(number);
        afterRenumber = readList(dialog).newNames;

        LVITEMW item = {};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendMessageW(GetDlgItem(dialog, IDC_NAMES_LIST), LVM_SETITEMSTATE, 1,
                     reinterpret_cast<LPARAM>(&item));
        ASSERT_TRUE(setClipboardText(L"Colosseum.png\r\n"));
        listCommand(dialog, ID_PASTE_NAMES);
        afterPaste = readList(dialog).newNames;

        clickButton(dialog, IDOK);
        closed = waitUntilClosed(dialog);
    }));
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(afterTyping, (Names{L"Rome_0007.jpg", L"Rome_0010.jpg", L"Rome_0012.jpg"}));
    // Renumbered from 1, counting from the smallest; the old width of four stays.
    EXPECT_EQ(afterRenumber, (Names{L"Rome_0001.jpg", L"Rome_0004.jpg", L"Rome_0006.jpg"}));
    // The pasted name keeps the file's own extension.
    EXPECT_EQ(afterPaste, (Names{L"Rome_0001.jpg", L"Colosseum.jpg", L"Rome_0006.jpg"}));
    EXPECT_TRUE(closed);
    const struct {
        const wchar_t* now;
        const char* was;
    } disk[] = {{L"Rome_0001.jpg", "trip_0007.jpg"},
                {L"Colosseum.jpg", "trip_0010.jpg"},
                {L"Rome_0006.jpg", "trip_0012.jpg"}};
    for (const auto& row : disk)
        EXPECT_EQ(contents(row.now), row.was) << fs::path(row.now).string();
    EXPECT_FALSE(fs::exists(root / L"trip_0007.jpg"));
}

} // namespace
} // namespace mr::test
