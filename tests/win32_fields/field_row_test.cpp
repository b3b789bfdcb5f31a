// The pattern field row in a Multi Rename window: the controls it creates, typing into
// them, the layout as texts and the window change, and the field buttons' dialogs.
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

struct Control {
    bool isButton;
    std::wstring text;
};

int widthOf(HWND control) {
    const RECT r = rectInParent(control);
    return r.right - r.left;
}

class FieldRow : public testing::Test {
protected:
    void SetUp() override {
        MR_REQUIRE_DISPLAY();
        ChangeTextModel::rememberedAllowExtensionChanges = false;
        ChangeTextModel::rememberedNumbersAsText = false;
        clearSettings();
    }
    void TearDown() override {
        ChangeTextModel::rememberedAllowExtensionChanges = false;
        clearSettings();
    }
};

TEST_F(FieldRow, BuildsAnEditPerTextAndAButtonPerField) {
    struct Case {
        Names names;
        bool allowExtensionChanges;
        std::vector<Control> controls;
    } cases[] = {
        {{u"IMG_0001.jpg", u"IMG_0002.jpg"}, false, {{false, L"IMG_"}, {true, L"#"}, {false, L""}}},
        {{u"IMG_0001.jpg", u"IMG_0002.jpg"},
         true,
         {{false, L"IMG_"}, {true, L"#"}, {false, L".jpg"}}},
        {{u"a.txt", u"b.doc"}, false, {{false, L""}, {true, L"*"}, {false, L""}}},
        {{u"a.txt", u"b.doc"}, true, {{false, L""}, {true, L"*"}, {false, L""}, {true, L".*"}}},
    };
    for (const auto& c : cases) {
        ChangeTextModel::rememberedAllowExtensionChanges = c.allowExtensionChanges;
        RowHost host(c.names);
        const std::vector<HWND> controls = host.controls();
        ASSERT_EQ(controls.size(), c.controls.size());
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(host.window(), WM_GETFONT, 0, 0));
        const int top = host.dpi().toPixels(kFieldRowTopDips);
        int previousRight = -1;
        for (size_t i = 0; i < controls.size(); ++i) {
            SCOPED_TRACE(i);
            const HWND w = controls[i];
            const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
            const LONG_PTR exStyle = GetWindowLongPtrW(w, GWL_EXSTYLE);
            const auto* font_ = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
            EXPECT_EQ(windowText(w), c.controls[i].text);
            EXPECT_TRUE(style & WS_VISIBLE);
            EXPECT_TRUE(style & WS_CHILD);
            if (c.controls[i].isButton) {
                EXPECT_EQ(GetDlgCtrlID(w), IDC_FIELD_BUTTON);
                EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
                EXPECT_TRUE(style & BS_FLAT);
                EXPECT_FALSE(style & WS_TABSTOP);
                EXPECT_NE(font_, font); // the system's button font
                const auto* field =
                    reinterpret_cast<const PatternField*>(GetWindowLongPtrW(w, GWLP_USERDATA));
                ASSERT_NE(field, nullptr);
                EXPECT_EQ(field->control.GetHandle(), w);
                EXPECT_EQ(field->text, fromWide(c.controls[i].text));
                EXPECT_EQ(rectInParent(w).left, host.dpi().toPixels(field->x));
                EXPECT_EQ(widthOf(w), host.dpi().toPixels(field->width));
            } else {
                EXPECT_EQ(GetDlgCtrlID(w), IDC_FIELD_EDIT);
                EXPECT_TRUE(style & WS_TABSTOP);
                EXPECT_TRUE(style & ES_AUTOHSCROLL);
                EXPECT_TRUE(exStyle & WS_EX_CLIENTEDGE);
                EXPECT_EQ(font_, font);
                if (c.controls[i].text.empty()) {
                    EXPECT_EQ(widthOf(w), host.dpi().toPixels(36)); // padding and extra only
                }
            }
            EXPECT_TRUE(IsWindowEnabled(w));
            const RECT r = rectInParent(w);
            EXPECT_EQ(r.top, top);
            EXPECT_EQ(r.bottom - r.top, host.dpi().toPixels(kFieldHeightDips));
            if (i > 0) {
                EXPECT_EQ(r.left, previousRight + host.dpi().toPixels(kFieldGapDips));
            }
            previousRight = r.right;
        }
        // Centred in the window.
        const int left = rectInParent(controls.front()).left;
        const int right = host.clientWidth() - rectInParent(controls.back()).right;
        EXPECT_LE(std::abs(left - right), 1);
    }
}

void typeInto(HWND edit, const std::wstring& text) {
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

TEST_F(FieldRow, TypingRecomputesEveryNameAtOnce) {
    RowHost host({u"a1.txt", u"a2.txt"});
    const HWND edit = host.controls().front();
    ASSERT_EQ(windowText(edit), L"a");
    const FileStatus good = FileStatus::Good, unchanged = FileStatus::Unchanged,
                     invalid = FileStatus::InvalidChars;
    struct Case {
        const wchar_t* typed;
        Names newNames;
        std::vector<FileStatus> statuses;
    } cases[] = {
        {L"b", {u"b1.txt", u"b2.txt"}, {good, good}},
        {L"b:", {u"b:1.txt", u"b:2.txt"}, {invalid, invalid}},
        {L"b", {u"b1.txt", u"b2.txt"}, {good, good}},
        {L"Photo ", {u"Photo 1.txt", u"Photo 2.txt"}, {good, good}},
        {L"a", {u"a1.txt", u"a2.txt"}, {unchanged, unchanged}},
    };
    for (const auto& c : cases) {
        typeInto(edit, c.typed);
        EXPECT_EQ(host.newNames(), c.newNames) << c.typed;
        EXPECT_EQ(host.statuses(), c.statuses) << c.typed;
    }
}

TEST_F(FieldRow, NothingHappensBeforeTheDialogIsReady) {
    RowHost host({u"a1.txt", u"a2.txt"});
    host.model().ready = false;
    typeInto(host.controls().front(), L"b");
    EXPECT_EQ(host.newNames(), (Names{u"a1.txt", u"a2.txt"}));
    EXPECT_EQ(host.model().fields().front().text, u"a");
}

TEST_F(FieldRow, OnlyTheFirst259CharactersReachTheToken) {
    RowHost host({u"a1.txt", u"a2.txt"});
    typeInto(host.controls().front(), std::wstring(300, L'x'));
    EXPECT_EQ(host.model().fields().front().text, std::u16string(259, u'x'));
    EXPECT_EQ(host.model().currentPattern().tokens.front().newText, std::u16string(259, u'x'));
}

TEST_F(FieldRow, AnEditGrowsAndShrinksWithItsTextAndTheRowStaysCentred) {
    RowHost host({u"IMG_0001.jpg", u"IMG_0002.jpg"});
    const std::vector<HWND> controls = host.controls();
    const HWND edit = controls.front();
    const int buttonWidth = widthOf(controls[1]);
    const wchar_t* texts[] = {L"I", L"IMG_", L"IMG_ Holiday ", L"IMG_ Holiday in Rome, summer "};
    typeInto(edit, L"");
    EXPECT_EQ(widthOf(edit), host.dpi().toPixels(36));
    int previous = widthOf(edit);
    for (const wchar_t* t : texts) {
        typeInto(edit, t);
        EXPECT_GT(widthOf(edit), previous) << t;
        previous = widthOf(edit);
        EXPECT_EQ(widthOf(controls[1]), buttonWidth);
        const int left = rectInParent(controls.front()).left;
        const int right = host.clientWidth() - rectInParent(controls.back()).right;
        EXPECT_LE(std::abs(left - right), 1) << t;
    }
    typeInto(edit, L"IMG_");
    EXPECT_LT(widthOf(edit), previous);
}

TEST_F(FieldRow, ARowTooWideForTheWindowNarrowsItsWidestControls) {
    RowHost host({u"IMG_0001.jpg", u"IMG_0002.jpg"});
    const std::vector<HWND> controls = host.controls();
    const int narrowWidth = host.dpi().toPixels(300);
    host.setClientWidth(narrowWidth);
    ASSERT_EQ(host.clientWidth(), narrowWidth);
    const int buttonWidth = widthOf(controls[1]);
    const int extensionWidth = widthOf(controls[2]);
    typeInto(controls.front(), std::wstring(120, L'W'));
    // Only the widest control gave way, and the row keeps four gaps free, centred.
    EXPECT_EQ(widthOf(controls[1]), buttonWidth);
    EXPECT_EQ(widthOf(controls[2]), extensionWidth);
    const int left = rectInParent(controls.front()).left;
    const int right = narrowWidth - rectInParent(controls.back()).right;
    const int free = host.dpi().toPixels(4 * kFieldGapDips);
    EXPECT_LE(std::abs(left - right), 1);
    EXPECT_LE(std::abs(left + right - free), 2);

    // Wide again: the edit takes its full width back.
    host.setClientWidth(host.dpi().toPixels(2000));
    EXPECT_GT(widthOf(controls.front()), host.dpi().toPixels(600));
}

TEST_F(FieldRow, ARowThatCannotNarrowEnoughStartsAtTheLeft) {
    RowHost host({u"a1b2c3d4e5.txt", u"a9b8c7d6e5.txt"});
    const std::vector<HWND> controls = host.controls();
    ASSERT_EQ(controls.size(), 9u);
    const int width = host.dpi().toPixels(160);
    host.setClientWidth(width);
    ASSERT_EQ(host.clientWidth(), width);
    EXPECT_EQ(rectInParent(controls.front()).left, 0);
    for (size_t i = 0; i < controls.size(); i += 2)
        EXPECT_EQ(widthOf(controls[i]), host.dpi().toPixels(kFieldFloorDips)) << i;
    EXPECT_GT(rectInParent(controls.back()).right, width);
}

TEST_F(FieldRow, ControlsFollowTheEditingState) {
    RowHost host({u"IMG_0001.jpg", u"IMG_0002.jpg"}, false);
    for (HWND w : host.controls())
        EXPECT_FALSE(IsWindowEnabled(w));
    host.row().setEnabled(true);
    for (HWND w : host.controls())
        EXPECT_TRUE(IsWindowEnabled(w));
    host.row().setEnabled(false);
    for (HWND w : host.controls())
        EXPECT_FALSE(IsWindowEnabled(w));
}

TEST_F(FieldRow, TheFirstEditTakesTheFocusSelectedAndShowsItsStartWhenLeft) {
    RowHost host({u"IMG_0001.jpg", u"IMG_0002.jpg"});
    const std::vector<HWND> controls = host.controls();
    EXPECT_EQ(GetFocus(), controls.front());
    DWORD start = 1, end = 0;
    SendMessageW(controls.front(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    SetFocus(controls.back());
    SendMessageW(controls.front(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 0u);
}

TEST_F(FieldRow, FieldButtonsOpenTheirDialogOnTheirToken) {
    struct Case {
        Names names;
        size_t button;
        const wchar_t* title;
        std::vector<int> clicks;
        int close;
        Names newNames;
    } cases[] = {
        {{u"IMG_0001.jpg", u"IMG_0002.jpg"},
         1,
         L"Change Number",
         {IDC_NUMBER_CLEAR},
         IDOK,
         {u"IMG_.jpg", u"IMG_.jpg"}},
        {{u"IMG_0001.jpg", u"IMG_0002.jpg"},
         1,
         L"Change Number",
         {IDC_NUMBER_CLEAR},
         IDCANCEL,
         {u"IMG_0001.jpg", u"IMG_0002.jpg"}},
        {{u"ab.txt", u"cde.txt"},
         1,
         L"Change Wild",
         {IDC_WILD_CASE_UPPER},
         IDOK,
         {u"AB.txt", u"CDE.txt"}},
        {{u"ab.txt", u"cde.txt"},
         1,
         L"Change Wild",
         {IDC_WILD_CLEAR_TEXT},
         IDOK,
         {u".txt", u".txt"}},
    };
    for (const auto& c : cases) {
        RowHost host(c.names);
        const std::vector<HWND> before = host.controls();
        ASSERT_GT(before.size(), c.button);
        const std::wstring caption = windowText(before[c.button]);
        driveWhile([&] { SendMessageW(before[c.button], BM_CLICK, 0, 0); }, c.title,
                   [&](HWND d) {
                       for (int id : c.clicks)
                           click(d, id);
                       clickButton(d, c.close);
                   });
        EXPECT_EQ(host.newNames(), c.newNames) << c.title;
        // The row is not rebuilt: same controls, same caption.
        EXPECT_EQ(host.controls(), before);
        EXPECT_EQ(windowText(before[c.button]), caption);
    }
}

} // namespace
} // namespace mr::test
