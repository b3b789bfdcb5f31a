// The pattern field row in a Multi Rename window: its layout rules live in the model,
// so these prove that the controls are made from the model's fields, that typing and the
// field buttons reach the model, and that the controls follow their text and the window.
#include "field_host.h"
#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "ui/model/field_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mr::test {
namespace {

using Names = std::vector<std::u16string>;

int widthOf(HWND control) {
    const RECT r = rectInParent(control);
    return r.right - r.left;
}

void typeInto(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Free pixels left and right of the row.
std::pair<int, int> margins(RowHost& host) {
    const std::vector<HWND> controls = host.controls();
    return {rectInParent(controls.front()).left,
            host.clientWidth() - rectInParent(controls.back()).right};
}

class FieldRow : public testing::Test {
protected:
    void SetUp() override {
        MR_REQUIRE_DISPLAY();
        TearDown();
    }
    void TearDown() override {
        ChangeTextModel::rememberedAllowExtensionChanges = false;
        ChangeTextModel::rememberedNumbersAsText = false;
        clearSettings();
    }
};

TEST_F(FieldRow, BuildsAnEditPerTextAndAButtonPerField) {
    const struct {
        Names names;
        std::vector<std::wstring> texts; // buttons: "#", "*", ".*"
    } cases[] = {
        {{u"IMG_0001.jpg", u"IMG_0002.jpg"}, {L"IMG_", L"#", L".jpg"}},
        {{u"a.txt", u"b.doc"}, {L"", L"*", L"", L".*"}},
    };
    ChangeTextModel::rememberedAllowExtensionChanges = true; // the extension's own controls
    for (const auto& c : cases) {
        RowHost host(c.names);
        const std::vector<HWND> controls = host.controls();
        ASSERT_EQ(controls.size(), c.texts.size());
        const auto dialogFont = SendMessageW(host.window(), WM_GETFONT, 0, 0);
        for (size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(i);
            const HWND w = controls[i];
            const bool isButton = GetDlgCtrlID(w) == IDC_FIELD_BUTTON;
            EXPECT_EQ(isButton, i % 2 == 1);
            EXPECT_EQ(windowText(w), c.texts[i]);
            EXPECT_TRUE((GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(w));
            // Tab moves between the edits only; buttons keep the system's font.
            EXPECT_EQ((GetWindowLongPtrW(w, GWL_STYLE) & WS_TABSTOP) != 0, !isButton);
            EXPECT_EQ(SendMessageW(w, WM_GETFONT, 0, 0) == dialogFont, !isButton);
            const RECT r = rectInParent(w);
            EXPECT_EQ(r.top, host.dpi().toPixels(kFieldRowTopDips));
            EXPECT_EQ(r.bottom - r.top, host.dpi().toPixels(kFieldHeightDips));
            if (isButton) {
                const auto* field =
                    reinterpret_cast<const PatternField*>(GetWindowLongPtrW(w, GWLP_USERDATA));
                ASSERT_NE(field, nullptr);
                EXPECT_EQ(field->control.GetHandle(), w);
                EXPECT_EQ(r.left, host.dpi().toPixels(field->x));
                EXPECT_EQ(widthOf(w), host.dpi().toPixels(field->width));
            }
        }
        const auto [left, right] = margins(host);
        EXPECT_LE(std::abs(left - right), 1);
    }
}

TEST_F(FieldRow, TypingReachesTheModelOnceTheDialogIsReady) {
    RowHost host({u"a1.txt", u"a2.txt"});
    const HWND edit = host.controls().front();
    ASSERT_EQ(windowText(edit), L"a");
    host.model().ready = false;
    typeInto(edit, L"b");
    EXPECT_EQ(host.newNames(), (Names{u"a1.txt", u"a2.txt"}));
    host.model().ready = true;
    typeInto(edit, L"Photo ");
    EXPECT_EQ(host.newNames(), (Names{u"Photo 1.txt", u"Photo 2.txt"}));
    // Only the first 259 characters reach the token.
    typeInto(edit, std::wstring(300, L'x'));
    EXPECT_EQ(host.model().currentPattern().tokens.front().newText, std::u16string(259, u'x'));
}

TEST_F(FieldRow, ControlsFollowTheirTextAndTheWindowWidth) {
    RowHost host({u"IMG_0001.jpg", u"IMG_0002.jpg"});
    const std::vector<HWND> controls = host.controls();
    const HWND edit = controls.front();
    const int buttonWidth = widthOf(controls[1]);
    typeInto(edit, L"");
    int previous = widthOf(edit);
    for (const wchar_t* text : {L"IMG_", L"IMG_ Holiday in Rome, summer "}) {
        typeInto(edit, text);
        EXPECT_GT(widthOf(edit), previous) << text;
        previous = widthOf(edit);
        const auto [left, right] = margins(host);
        EXPECT_LE(std::abs(left - right), 1) << text;
    }
    typeInto(edit, std::wstring(120, L'W'));
    host.setClientWidth(host.dpi().toPixels(300));
    // The widest control gave way and the row fits, centred.
    EXPECT_EQ(widthOf(controls[1]), buttonWidth);
    const auto [left, right] = margins(host);
    EXPECT_GE(left, 0);
    EXPECT_LE(std::abs(left - right), 1);
    host.setClientWidth(host.dpi().toPixels(2000));
    EXPECT_GT(widthOf(edit), host.dpi().toPixels(600));
}

TEST_F(FieldRow, TheFirstEditTakesTheFocusSelectedAndShowsItsStartWhenLeft) {
    RowHost host({u"IMG_0001.jpg", u"IMG_0002.jpg"});
    const std::vector<HWND> controls = host.controls();
    EXPECT_EQ(GetFocus(), controls.front());
    auto selection = [&] {
        DWORD start = 1, end = 0;
        SendMessageW(controls.front(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return std::pair(start, end);
    };
    EXPECT_EQ(selection(), std::pair(DWORD{0}, DWORD{4}));
    SetFocus(controls.back());
    EXPECT_EQ(selection(), std::pair(DWORD{0}, DWORD{0}));
}

TEST_F(FieldRow, AFieldButtonOpensItsDialogOnItsTokenWithoutRebuildingTheRow) {
    RowHost host({u"ab.txt", u"cde.txt"});
    const std::vector<HWND> before = host.controls();
    ASSERT_EQ(before.size(), 3u);
    driveWhile([&] { SendMessageW(before[1], BM_CLICK, 0, 0); }, L"Change Wild",
               [](HWND d) {
                   click(d, IDC_WILD_CASE_UPPER);
                   clickButton(d, IDOK);
               });
    EXPECT_EQ(host.newNames(), (Names{u"AB.txt", u"CDE.txt"}));
    EXPECT_EQ(host.controls(), before);
    EXPECT_EQ(windowText(before[1]), L"*");
}

} // namespace
} // namespace mr::test
