// The names list as the user sees it and types into it: what is drawn after a status
// change, type-to-find, and headers that are never cut.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace mr::test {
namespace {

using NamesList = FolderTest;

bool isRed(COLORREF c) {
    return GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 110;
}

// Rows of the list whose state image cell holds a red pixel, and the pixels of the
// dialog that differ from a repaint of the whole dialog over a clean background.
struct Drawn {
    std::vector<int> redRows;
    int stalePixels = 0;
};

Drawn readDrawn(HWND dialog) {
    Drawn drawn;
    HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
    const Picture cells = clientPicture(list);
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        RECT bounds = {LVIR_BOUNDS, 0, 0, 0}, label = {LVIR_LABEL, 0, 0, 0};
        SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
        SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&label));
        bool red = false;
        for (int y = std::max(0L, bounds.top); y < std::min<long>(bounds.bottom, cells.height); ++y)
            for (int x = std::max(0L, bounds.left); x < label.left && x < cells.width; ++x)
                red = red || isRed(cells.at(x, y));
        if (red)
            drawn.redRows.push_back(row);
    }
    // What a resize left to paint (Wine hears of it from X a moment later) is painted
    // first: only what stays drawn wrongly counts as stale.
    Sleep(150);
    RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const Picture shown = clientPicture(dialog);
    RedrawWindow(dialog, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    const Picture clean = clientPicture(dialog);
    for (size_t i = 0; i < shown.pixels.size() && i < clean.pixels.size(); ++i)
        drawn.stalePixels += shown.pixels[i] != clean.pixels[i];
    return drawn;
}

// A header that shows its whole text: the text's extent in the header's font within the
// margins the header keeps on both sides.
int headerTextWidth(HWND list, int column) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    wchar_t text[64] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(header);
    const HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
    SelectObject(dc, old);
    ReleaseDC(header, dc);
    return extent.cx + 2 * static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
}

TEST_F(NamesList, EverythingIsDrawnOverACleanBackgroundAndHeadersAreWhole) {
    // Also run at 144 dpi (at-dpi.sh), where the system would otherwise scale a bitmap.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    const auto paths = touchAll({L"a.txt", L"b.txt", L"c.txt", L"d.txt"});
    std::vector<Drawn> drawn; // invalid names, fine again, a new row and size, pasted
    std::vector<std::pair<int, int>> widths; // column, its header text
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        selectRow(dialog, 1); // selected and unselected rows alike
        for (int column = 0; column < 2; ++column)
            widths.emplace_back(static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)),
                                headerTextWidth(list, column));
        HWND edit = controlsWithId(dialog, IDC_FIELD_EDIT).front();
        SetWindowTextW(edit, L"a:");
        drawn.push_back(readDrawn(dialog));
        SetWindowTextW(edit, L"");
        drawn.push_back(readDrawn(dialog));
        pressButton(dialog, IDC_ALLOW_EXTENSION_CHANGES);
        SetWindowPos(dialog, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
        drawn.push_back(readDrawn(dialog));
        pressButton(dialog, IDC_ALLOW_EXTENSION_CHANGES); // as a fresh process
        pasteNames(dialog, {L"a", L"a", L"c", L"d"});     // the first two turn red
        pasteNames(dialog, {L"w", L"x", L"y", L"z"});
        drawn.push_back(readDrawn(dialog));
    }));
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].redRows, (std::vector<int>{0, 1, 2, 3}));
    for (size_t i = 1; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].redRows, std::vector<int>{}) << i;
        EXPECT_EQ(drawn[i].stalePixels, 0) << i;
    }
    for (const auto& [width, header] : widths)
        EXPECT_GE(width, header);
}

// The focused row and the selected rows after the keys, typed into the focused list.
struct Typed {
    int focused = -1;
    std::vector<int> selected;
    DWORD milliseconds = 0; // from the first key to the last
};

Typed typeIntoList(HWND list, const wchar_t* keys) {
    Typed typed;
    const DWORD start = GetTickCount();
    for (const wchar_t* key = keys; *key; ++key)
        SendMessageW(list, WM_CHAR, *key, 1);
    typed.milliseconds = GetTickCount() - start;
    typed.focused = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, -1, LVNI_FOCUSED));
    for (int row = -1;
         (row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) >= 0;)
        typed.selected.push_back(row);
    return typed;
}

TEST_F(NamesList, TypedLettersFindRowsByTheirOldNames) {
    const auto paths = touchAll(
        {L"apple.txt", L"Banana.txt", L"berry.txt", L"bert.txt", L"blue.txt", L"cherry.txt"});
    std::vector<Typed> typed;
    std::wstring copied;
    ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        for (const wchar_t* keys : {L"BE", L"bbb", L"x"}) {
            if (!typed.empty())
                Sleep(1200); // longer than the list waits for the next letter of a text
            typed.push_back(typeIntoList(list, keys));
        }
        listCommand(dialog, ID_COPY_NAMES, true); // what the selection now means
        answerMessage();
        copied = clipboardTextNow();
    }));
    ASSERT_EQ(typed.size(), 3u);
    for (const Typed& t : typed)
        if (t.milliseconds > 300)
            GTEST_SKIP() << "a loaded machine: typing took " << t.milliseconds
                         << " ms, long enough for the list to start new texts";
    // "be": berry; "b" steps to bert, "bb" to blue, "bbb" round to Banana; "x" fits none.
    const std::pair<int, std::vector<int>> expected[] = {{2, {2}}, {1, {1}}, {1, {1}}};
    for (size_t i = 0; i < typed.size(); ++i)
        EXPECT_EQ(std::pair(typed[i].focused, typed[i].selected), expected[i]) << i;
    EXPECT_EQ(copied, L"Banana.txt\n");
}

} // namespace
} // namespace mr::test
