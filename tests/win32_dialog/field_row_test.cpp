// The field row in the dialog: made from the model's fields, typing reaching the model, and
// following its text and the window (the layout rules are tested apart).
#include "driver.h"
#include "resources/resource.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace mr::test {
namespace {

using FieldRow = FolderTest;
using Names = std::vector<std::wstring>;

int widthOf(HWND control) {
    const RECT r = rectInParent(control);
    return r.right - r.left;
}

std::vector<HWND> rowOf(HWND dialog) {
    return controlsWithId(dialog, IDC_FIELD_EDIT, IDC_FIELD_BUTTON);
}

// Free pixels left and right of the row.
std::pair<int, int> margins(HWND dialog) {
    const std::vector<HWND> row = rowOf(dialog);
    RECT client = {};
    GetClientRect(dialog, &client);
    return {rectInParent(row.front()).left, client.right - rectInParent(row.back()).right};
}

TEST_F(FieldRow, BuildsAnEditPerTextAndAButtonPerFieldWithTheRememberedBox) {
    const struct {
        Names names, texts;       // with extension changes allowed; buttons: "#", "*", ".*"
        bool remembered, numbers; // the extension box from the last opening; a number to treat
    } cases[] = {
        {{L"IMG_0001.jpg", L"IMG_0002.jpg"}, {L"IMG_", L"#", L".jpg"}, false, true},
        {{L"a.txt", L"b.doc"}, {L"", L"*", L"", L".*"}, true, false},
    };
    for (const auto& c : cases) {
        Names paths;
        for (const auto& name : c.names)
            paths.push_back(touch(name));
        ASSERT_TRUE(runAndInspect(paths, [&](HWND dialog) {
            EXPECT_EQ(checked(dialog, IDC_ALLOW_EXTENSION_CHANGES), c.remembered);
            EXPECT_EQ(enabled(dialog, IDC_NUMBERS_AS_TEXT), c.numbers);
            if (!c.remembered)
                pressButton(dialog, IDC_ALLOW_EXTENSION_CHANGES); // rebuilds the row
            const std::vector<HWND> row = rowOf(dialog);
            ASSERT_EQ(row.size(), c.texts.size());
            EXPECT_EQ(focusOf(dialog), row.front());
            const auto dialogFont = SendMessageW(dialog, WM_GETFONT, 0, 0);
            for (size_t i = 0; i < row.size(); ++i) {
                SCOPED_TRACE(i);
                const HWND w = row[i];
                const bool isButton = GetDlgCtrlID(w) == IDC_FIELD_BUTTON;
                EXPECT_EQ(isButton, i % 2 == 1);
                EXPECT_EQ(windowText(w), c.texts[i]);
                EXPECT_TRUE((GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(w));
                // Tab moves between the edits only; buttons keep the system's font.
                EXPECT_EQ((GetWindowLongPtrW(w, GWL_STYLE) & WS_TABSTOP) != 0, !isButton);
                EXPECT_EQ(SendMessageW(w, WM_GETFONT, 0, 0) == dialogFont, !isButton);
                EXPECT_EQ(rectInParent(w).top, rectInParent(row[0]).top);
            }
            if (c.remembered)
                pressButton(dialog, IDC_ALLOW_EXTENSION_CHANGES); // as a fresh process
        }));
    }
}

TEST_F(FieldRow, TypingReachesTheModelUpTo259Characters) {
    Names typed, tooLong;
    ASSERT_TRUE(runAndInspect(touchAll({L"a1.txt", L"a2.txt"}), [&](HWND dialog) {
        const HWND edit = rowOf(dialog).front();
        SetWindowTextW(edit, L"Photo ");
        typed = readList(dialog).newNames;
        SetWindowTextW(edit, std::wstring(300, L'x').c_str());
        tooLong = readList(dialog).newNames;
    }));
    EXPECT_EQ(typed, (Names{L"Photo 1.txt", L"Photo 2.txt"}));
    ASSERT_FALSE(tooLong.empty());
    EXPECT_EQ(tooLong[0], std::wstring(259, L'x') + L"1.txt");
}

TEST_F(FieldRow, ControlsFollowTheirTextAndTheWindowWidth) {
    ASSERT_TRUE(runAndInspect(touchAll({L"IMG_0001.jpg", L"IMG_0002.jpg"}), [&](HWND dialog) {
        const std::vector<HWND> row = rowOf(dialog);
        const HWND edit = row.front();
        const int buttonWidth = widthOf(row[1]);
        SetWindowTextW(edit, L"");
        int previous = widthOf(edit);
        for (const wchar_t* text : {L"IMG_", L"IMG_ Holiday in Rome, summer "}) {
            SetWindowTextW(edit, text);
            EXPECT_GT(widthOf(edit), previous) << text;
            previous = widthOf(edit);
            const auto [left, right] = margins(dialog);
            EXPECT_LE(std::abs(left - right), 1) << text;
        }
        SetWindowTextW(edit, std::wstring(120, L'W').c_str());
        SetWindowPos(dialog, nullptr, 0, 0, 420, 400, SWP_NOMOVE | SWP_NOZORDER);
        // The widest control gave way and the row fits, centred.
        EXPECT_EQ(widthOf(row[1]), buttonWidth);
        const auto [left, right] = margins(dialog);
        EXPECT_GE(left, 0);
        EXPECT_LE(std::abs(left - right), 1);
        SetWindowPos(dialog, nullptr, 0, 0, 1000, 400, SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_GT(widthOf(edit), 600);
    }));
}

} // namespace
} // namespace mr::test
