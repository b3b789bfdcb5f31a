// What the names list shows back while the user works: the status images as a field is
// typed into, pasted names in bold, and pastes the dialog refuses.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace mr::test {
namespace {

using ListFeedback = FolderTest;

// Keystrokes into an edit as the keyboard sends them; "\b" is a backspace.
void typeKeys(HWND edit, const std::wstring& keys, bool overWholeText) {
    if (overWholeText)
        SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t key : keys)
        SendMessageW(edit, WM_CHAR, key, 1);
}

TEST_F(ListFeedback, AForbiddenCharacterTypedMarksEveryFileUntilItIsGone) {
    touch(L"y1.txt"); // not selected: holds a name the pattern can make
    const std::wstring x1 = touch(L"x1.txt"), x2 = touch(L"x2.txt");
    const wchar_t* paths[] = {x1.c_str(), x2.c_str()};
    const struct {
        const wchar_t* keys;
        bool overWholeText;
        std::vector<std::wstring> newNames;
        std::vector<int> images;
    } steps[] = {
        {L"y", true, {L"y1.txt", L"y2.txt"}, {6, 1}},    // y1.txt is taken
        {L":", false, {L"y:1.txt", L"y:2.txt"}, {7, 7}}, // every file, whatever it was
        {L"\b", false, {L"y1.txt", L"y2.txt"}, {6, 1}},  // each file's own again
        {L"?z\b", false, {L"y?1.txt", L"y?2.txt"}, {7, 7}},
        {L"x", true, {L"x1.txt", L"x2.txt"}, {2, 2}},
    };
    std::vector<ListRows> seen;
    ASSERT_TRUE(runAndInspect(2, paths, [&](HWND dialog) {
        const std::vector<HWND> edits = controlsWithId(dialog, IDC_FIELD_EDIT);
        ASSERT_FALSE(edits.empty());
        for (const auto& step : steps) {
            typeKeys(edits.front(), step.keys, step.overWholeText);
            seen.push_back(readList(dialog));
        }
    }));
    ASSERT_EQ(seen.size(), std::size(steps));
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].newNames, steps[i].newNames) << "step " << i;
        EXPECT_EQ(seen[i].stateImages, steps[i].images) << "step " << i;
    }
}

// The font the dialog's custom drawing leaves selected for one cell.
enum class CellFont { Untouched, ListFont, Bold, Other };

// The list's custom-draw notifications as the list sends them to the dialog, drawing
// into a device context of our own that starts with the list's font.
CellFont drawCell(HWND dialog, int row, int column) {
    HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
    const auto listFont = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ original = SelectObject(dc, listFont);
    NMLVCUSTOMDRAW draw = {};
    draw.nmcd.hdr = {list, static_cast<UINT_PTR>(IDC_NAMES_LIST), static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.hdc = dc;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.iSubItem = column;
    auto notify = [&](DWORD stage) {
        draw.nmcd.dwDrawStage = stage;
        return SendMessageW(dialog, WM_NOTIFY, IDC_NAMES_LIST, reinterpret_cast<LPARAM>(&draw));
    };
    CellFont cell = CellFont::Untouched;
    if (notify(CDDS_ITEMPREPAINT) & CDRF_NOTIFYSUBITEMDRAW) {
        notify(CDDS_ITEMPREPAINT | CDDS_SUBITEM);
        const auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
        LOGFONTW description = {};
        GetObjectW(font, sizeof(description), &description);
        cell = font == listFont                  ? CellFont::ListFont
               : description.lfWeight == FW_BOLD ? CellFont::Bold
                                                 : CellFont::Other;
    }
    SelectObject(dc, original);
    DeleteDC(dc);
    return cell;
}

TEST_F(ListFeedback, PastedNamesAreDrawnInBoldUntilTheyAreReset) {
    const std::wstring a = touch(L"a.txt"), b = touch(L"b.txt"), c = touch(L"c.txt");
    const wchar_t* paths[] = {a.c_str(), b.c_str(), c.c_str()};
    constexpr CellFont plain = CellFont::Untouched, normal = CellFont::ListFont,
                       bold = CellFont::Bold;
    const struct {
        const char* what;
        CellFont rows[3][2]; // old name, new name of each row
    } expected[] = {
        {"nothing pasted", {{plain, plain}, {plain, plain}, {plain, plain}}},
        {"row 1 pasted", {{plain, plain}, {normal, bold}, {plain, plain}}},
        {"row 1 reset", {{plain, plain}, {plain, plain}, {plain, plain}}},
    };
    std::vector<std::vector<CellFont>> seen;
    auto look = [&](HWND dialog) {
        std::vector<CellFont> cells;
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 2; ++column)
                cells.push_back(drawCell(dialog, row, column));
        seen.push_back(cells);
    };
    ASSERT_TRUE(runAndInspect(3, paths, [&](HWND dialog) {
        look(dialog);
        LVITEMW item = {};
        item.stateMask = item.state = LVIS_SELECTED;
        SendMessageW(GetDlgItem(dialog, IDC_NAMES_LIST), LVM_SETITEMSTATE, 1,
                     reinterpret_cast<LPARAM>(&item));
        ASSERT_TRUE(setClipboardText(L"pasted\r\n"));
        listCommand(dialog, ID_PASTE_NAMES);
        look(dialog);
        listCommand(dialog, ID_RESET_NAMES);
        look(dialog);
    }));
    ASSERT_EQ(seen.size(), std::size(expected));
    for (size_t i = 0; i < seen.size(); ++i)
        for (size_t cell = 0; cell < 6; ++cell)
            EXPECT_EQ(static_cast<int>(seen[i][cell]),
                      static_cast<int>(expected[i].rows[cell / 2][cell % 2]))
                << expected[i].what << ", row " << cell / 2 << ", column " << cell % 2;
}

TEST_F(ListFeedback, RefusedPastesShowWhyAndChangeNoName) {
    const std::wstring a = touch(L"a1.txt"), b = touch(L"a2.txt");
    const wchar_t* paths[] = {a.c_str(), b.c_str()};
    const std::wstring forbidden =
        L"The text on the clipboard cannot be used to name the files, since it contains one "
        L"of these characters which are not allowed in filenames:\n\\ / : * ? \" < > |";
    const std::wstring tooLong =
        L"The text on the clipboard cannot be used to name the files, since at least one line "
        L"is longer than the maximum filename length allowed by Windows (255 characters).";
    const struct {
        const char* what;
        std::wstring clipboard;
        const std::wstring& message;
    } table[] = {
        {"a colon on a blank line", L"b1\r\n :\r\nb2\r\n", forbidden},
        {"a bar in a name", L"b|1\r\nb2\r\n", forbidden},
        {"a line of 256", L"b1\r\n" + std::wstring(256, L'b') + L"\r\n", tooLong},
        {"both: the character decides", L"b:1\r\n" + std::wstring(256, L'b') + L"\r\n", forbidden},
    };
    for (const auto& row : table) {
        ListRows before, after;
        std::wstring message;
        bool editable = false;
        ASSERT_TRUE(runAndInspect(2, paths, [&](HWND dialog) {
            before = readList(dialog);
            ASSERT_TRUE(setClipboardText(row.clipboard));
            clickButton(dialog, IDC_PASTE_NAMES);
            message = answerMessage();
            after = readList(dialog);
            editable = IsWindowEnabled(GetDlgItem(dialog, IDC_FIELD_EDIT)) != FALSE;
        })) << row.what;
        EXPECT_EQ(message, row.message) << row.what;
        EXPECT_EQ(after.newNames, before.newNames) << row.what;
        EXPECT_EQ(after.newNames, (std::vector<std::wstring>{L"a1.txt", L"a2.txt"})) << row.what;
        EXPECT_TRUE(editable) << row.what;
    }
}

} // namespace
} // namespace mr::test
