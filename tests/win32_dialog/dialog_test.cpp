// The Multi Rename dialog as the host's call shows it, read back and closed with Cancel.
#include "driver.h"
#include "resources/resource.h"

#include <commctrl.h>

#include <cstdlib>
#include <filesystem>

namespace mr::test {
namespace {

using MultiRenameDialog = FolderTest;

int widthOf(HWND control) {
    const RECT r = rectInParent(control);
    return r.right - r.left;
}

// Free pixels left and right of the row, as a difference.
int offCentre(HWND dialog, const std::vector<HWND>& row) {
    RECT client = {};
    GetClientRect(dialog, &client);
    return std::abs(rectInParent(row.front()).left -
                    (client.right - rectInParent(row.back()).right));
}

// One opening: the controls, the list, the field row reaching the model and following its
// text, resizing, and the size remembered from the last closing.
TEST_F(MultiRenameDialog, ShowsTheFilesBuildsTheFieldRowResizesAndRemembersItsSize) {
    const std::pair<int, const wchar_t*> controls[] = {
        // clang-format off
        {IDOK, L"Rename"}, {IDCANCEL, L"Cancel"}, {IDC_ALLOW_EXTENSION_CHANGES, L"Allow Extension Changes"},
        {IDC_NUMBERS_AS_TEXT, L"Treat Numbers as Text"}, {IDC_RESET, L"Reset"}, {IDC_COPY_NAMES, L"Copy Names"},
        {IDC_PASTE_NAMES, L"Paste Names"},
        // clang-format on
    };
    storeDword(kSettingsKey, L"MultiRenameDlgWidth", 640);
    storeDword(kSettingsKey, L"MultiRenameDlgHeight", 400);
    const std::wstring x1 = touch(L"one\\IMG_0001.jpg"), x2 = touch(L"two\\IMG_0002.jpg");
    ListRows rows, typed;
    std::wstring folder;
    RECT opened = {}, ok[2] = {}, list[2] = {};
    std::vector<std::wstring> longest;
    ASSERT_TRUE(runAndInspect({x2, x1, x2}, [&](HWND dialog) {
        EXPECT_EQ(windowText(dialog), L"Multi Rename");
        for (const auto& [id, text] : controls)
            EXPECT_EQ(windowText(GetDlgItem(dialog, id)), text) << id;
        EXPECT_EQ(outsideClient(dialog), "");
        rows = readList(dialog);
        HWND names = GetDlgItem(dialog, IDC_NAMES_LIST);
        folder = listText(names, 1, 2);

        GetWindowRect(dialog, &opened);
        for (int i = 0; i < 2; ++i) {
            ok[i] = rectInParent(GetDlgItem(dialog, IDOK));
            list[i] = rectInParent(names);
            SetWindowPos(dialog, nullptr, 0, 0, 700, 480, SWP_NOMOVE | SWP_NOZORDER);
        }

        pressButton(dialog, IDC_ALLOW_EXTENSION_CHANGES); // rebuilds the row with ".jpg"
        const std::vector<HWND> row = controlsWithId(dialog, IDC_FIELD_EDIT, IDC_FIELD_BUTTON);
        const wchar_t* texts[] = {L"IMG_", L"#", L".jpg"};
        ASSERT_EQ(row.size(), std::size(texts));
        // The rebuilt row takes its place in the tab order where it stands on screen.
        std::vector<HWND> order = {GetDlgItem(dialog, IDC_NUMBERS_AS_TEXT)};
        order.insert(order.end(), row.begin(), row.end());
        order.push_back(GetDlgItem(dialog, IDC_RESET));
        for (size_t i = 1; i < order.size(); ++i)
            EXPECT_EQ(GetWindow(order[i - 1], GW_HWNDNEXT), order[i]) << i;
        EXPECT_EQ(GetNextDlgTabItem(dialog, row.front(), FALSE), row.back());
        const auto dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
        for (size_t i = 0; i < row.size(); ++i) {
            const bool isButton = GetDlgCtrlID(row[i]) == IDC_FIELD_BUTTON;
            EXPECT_EQ(isButton, i == 1) << i;
            EXPECT_EQ(windowText(row[i]), texts[i]) << i;
            // Tab moves between the edits only; buttons keep the system's font.
            EXPECT_EQ((GetWindowLongPtrW(row[i], GWL_STYLE) & WS_TABSTOP) != 0, !isButton) << i;
            EXPECT_EQ(SendMessageW(row[i], WM_GETFONT, 0, 0) == dialogFont, !isButton) << i;
        }
        const HWND edit = row.front();
        SetWindowTextW(edit, L"Photo ");
        typed = readList(dialog);
        const int narrow = widthOf(edit);
        EXPECT_LE(offCentre(dialog, row), 1);
        SetWindowTextW(edit, std::wstring(300, L'x').c_str());
        longest = readList(dialog).newNames;
        EXPECT_GT(widthOf(edit), narrow);
        // The widest control gives way and the row fits, centred.
        const int buttonWidth = widthOf(row[1]);
        SetWindowPos(dialog, nullptr, 0, 0, 420, 400, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(widthOf(row[1]), buttonWidth);
        EXPECT_GE(rectInParent(edit).left, 0);
        EXPECT_LE(offCentre(dialog, row), 1);
        pressButton(dialog, IDC_ALLOW_EXTENSION_CHANGES); // as a fresh process
        SetWindowPos(dialog, nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
    }));
    const std::vector<std::wstring> names = {L"IMG_0001.jpg", L"IMG_0002.jpg"};
    EXPECT_EQ(rows.oldNames, names);
    EXPECT_EQ(rows.newNames, names);
    EXPECT_EQ(rows.stateImages, (std::vector<int>{2, 2}));
    EXPECT_EQ(folder, (root / L"two").wstring() + L"\\");
    EXPECT_EQ(typed.newNames, (std::vector<std::wstring>{L"Photo 0001.jpg", L"Photo 0002.jpg"}));
    ASSERT_EQ(longest.size(), 2u);
    EXPECT_EQ(longest[0], std::wstring(259, L'x') + L"0001.jpg");
    EXPECT_EQ(std::pair(opened.right - opened.left, opened.bottom - opened.top),
              std::pair(640L, 400L));
    // The button moves with the corner, the list keeps its top-left and stretches.
    EXPECT_EQ(std::pair(ok[1].left - ok[0].left, ok[1].top - ok[0].top), std::pair(60L, 80L));
    EXPECT_EQ(std::pair(list[1].left, list[1].top), std::pair(list[0].left, list[0].top));
    EXPECT_EQ(std::pair(list[1].right - list[0].right, list[1].bottom - list[0].bottom),
              std::pair(60L, 80L));
    // Stored in DIP, 96 dpi here.
    EXPECT_EQ(storedDword(kSettingsKey, L"MultiRenameDlgWidth"), 640u);
    EXPECT_EQ(storedDword(kSettingsKey, L"MultiRenameDlgHeight"), 420u);
}

TEST_F(MultiRenameDialog, HundredThousandPathsAmongBadOnesOpenAndCancelKeepsEveryName) {
    // Creating files under Wine is slow: only a few thousand are real, the rest drop out.
    constexpr int kPaths = 100000, kFiles = 2000;
    std::vector<std::wstring> paths = {L"C:\\" + std::wstring(300, L'a') + L"\\name.txt",
                                       (root / std::wstring(270, L'b')).wstring(), L"relative.txt",
                                       L"", L"\\"};
    for (int i = 0; i < kPaths; ++i) {
        const std::wstring name = L"IMG_" + std::to_wstring(i + 1) + L".jpg";
        paths.push_back(i < kFiles ? touch(name) : (root / name).wstring());
    }
    std::vector<const wchar_t*> raw = {nullptr};
    for (const auto& path : paths)
        raw.push_back(path.c_str());
    int rows = -1;
    std::wstring first;
    ASSERT_TRUE(runAndInspect(static_cast<int>(raw.size()), raw.data(), [&](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
        rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        first = listText(list, 0, 0);
    }));
    EXPECT_EQ(rows, kFiles);
    EXPECT_EQ(first, L"IMG_1.jpg");
    for (int i = 0; i < kFiles; ++i)
        ASSERT_TRUE(std::filesystem::exists(paths[i + 5])) << i;
}

} // namespace
} // namespace mr::test
