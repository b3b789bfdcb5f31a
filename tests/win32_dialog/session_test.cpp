// One whole session: keys typed into the pattern (a forbidden one marks every file), the
// number renumbered in Change Number, a name pasted in bold, and "Rename" on disk.
#include "driver.h"
#include "resources/resource.h"
#include "ui/win32/clipboard.h"

#include <commctrl.h>

#include <filesystem>

namespace mr::test {
namespace {

namespace fs = std::filesystem;

using DialogSession = FolderTest;

// Whether the dialog's custom drawing selects a bold font for a cell, asked as the list does.
bool drawnBold(HWND dialog, int row, int column) {
    HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ original =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {list, static_cast<UINT_PTR>(IDC_NAMES_LIST), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.hdc = dc;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.iSubItem = column;
    auto notify = [&](DWORD stage) {
        draw.nmcd.dwDrawStage = stage;
        return SendMessageW(dialog, WM_NOTIFY, IDC_NAMES_LIST, reinterpret_cast<LPARAM>(&draw));
    };
    LOGFONTW font = {};
    if (notify(CDDS_ITEMPREPAINT) & CDRF_NOTIFYSUBITEMDRAW) {
        notify(CDDS_ITEMPREPAINT | CDDS_SUBITEM);
        GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof(font), &font);
    }
    SelectObject(dc, original);
    DeleteDC(dc);
    return font.lfWeight == FW_BOLD;
}

TEST_F(DialogSession, TypeRenumberPasteAndRename) {
    std::vector<std::wstring> paths;
    for (const wchar_t* name : {L"trip_0007.jpg", L"trip_0010.jpg", L"trip_0012.jpg"})
        paths.push_back(touch(name, fs::path(name).string()));
    ListRows forbidden, typed;
    std::vector<std::wstring> afterRenumber, afterPaste;
    std::vector<bool> bold; // the new names' cells, then an old name's
    bool closed = false;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        const std::vector<HWND> edits = controlsWithId(dialog, IDC_FIELD_EDIT);
        const std::vector<HWND> buttons = controlsWithId(dialog, IDC_FIELD_BUTTON);
        ASSERT_EQ(std::pair(edits.size(), buttons.size()), std::pair(size_t{2}, size_t{1}));
        SendMessageW(edits[0], EM_SETSEL, 0, -1);
        for (const wchar_t key : std::wstring(L"Rome:"))
            SendMessageW(edits[0], WM_CHAR, key, 1);
        forbidden = readList(dialog);
        for (const wchar_t key : {L'\b', L'_'})
            SendMessageW(edits[0], WM_CHAR, key, 1);
        typed = readList(dialog);

        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_FIELD_BUTTON, BN_CLICKED),
                     reinterpret_cast<LPARAM>(buttons[0]));
        HWND number = waitForWindow(L"Change Number");
        ASSERT_NE(number, nullptr);
        click(number, IDC_NUMBER_RENUMBER);
        type(number, IDC_NUMBER_START, L"1");
        clickButton(number, IDOK);
        waitUntilClosed(number);
        afterRenumber = readList(dialog).newNames;

        selectRow(dialog, 1);
        ASSERT_TRUE(putClipboardText(u"Colosseum.png\r\n"));
        listCommand(dialog, ID_PASTE_NAMES);
        afterPaste = readList(dialog).newNames;
        for (const auto& [row, column] :
             std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 1}, {1, 0}})
            bold.push_back(drawnBold(dialog, row, column));

        clickButton(dialog, IDOK);
        closed = waitUntilClosed(dialog);
    }));
    using Names = std::vector<std::wstring>;
    EXPECT_EQ(forbidden.newNames, (Names{L"Rome:0007.jpg", L"Rome:0010.jpg", L"Rome:0012.jpg"}));
    EXPECT_EQ(forbidden.stateImages, (std::vector<int>{7, 7, 7}));
    EXPECT_EQ(typed.stateImages, (std::vector<int>{1, 1, 1}));
    // Renumbered from 1, counting from the smallest; the old width of four stays.
    EXPECT_EQ(afterRenumber, (Names{L"Rome_0001.jpg", L"Rome_0004.jpg", L"Rome_0006.jpg"}));
    // The pasted name keeps the file's own extension.
    EXPECT_EQ(afterPaste, (Names{L"Rome_0001.jpg", L"Colosseum.jpg", L"Rome_0006.jpg"}));
    EXPECT_EQ(bold, (std::vector<bool>{false, true, false, false}));
    EXPECT_TRUE(closed);
    for (const auto& [now, was] :
         std::vector<std::pair<const wchar_t*, const char*>>{{L"Rome_0001.jpg", "trip_0007.jpg"},
                                                             {L"Colosseum.jpg", "trip_0010.jpg"},
                                                             {L"Rome_0006.jpg", "trip_0012.jpg"}})
        EXPECT_EQ(contents(now), was);
    EXPECT_FALSE(fs::exists(root / L"trip_0007.jpg"));
}

} // namespace
} // namespace mr::test
