// Shows one field editor window until it is closed, so that it can be photographed:
// field_show wild | number | row | long (the row with more text than fits)
#include "field_host.h"
#include "support/pattern_support.h"
#include "ui/win32/change_number_dlg.h"
#include "ui/win32/change_wild_dlg.h"

#include <cstring>

using namespace mr;

namespace {

int showRow(bool long_) {
    test::RowHost host({u"2019-07-14 Rome trip, day 01 - Colosseum at sunset.jpg",
                        u"2019-07-15 Rome trip, day 02 - Forum.jpg",
                        u"2019-07-16 Rome trip, day 03 - Vatican museums.jpg"});
    SetWindowPos(host.window(), nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(host.window(), SW_SHOW);
    if (long_) {
        const HWND first = host.controls().front();
        SendMessageW(first, WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(L"Holiday in Italy with the whole family, first "
                                              L"week, Rome: day "));
        SetFocus(host.controls().back());
    }
    MSG message;
    while (IsWindow(host.window()) && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageW(host.window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* what = argc > 1 ? argv[1] : "row";
    test::haveDisplay();
    if (std::strcmp(what, "wild") == 0) {
        PatternToken token = test::wildcard(true, 8, 1);
        CChangeWildDlg dialog(nullptr);
        dialog.setToken(token);
        return static_cast<int>(dialog.DoModal());
    }
    if (std::strcmp(what, "number") == 0) {
        PatternToken token = test::numberField(false, true, 1);
        CChangeNumberDlg dialog(nullptr, test::kTestProduct);
        dialog.setToken(token);
        return static_cast<int>(dialog.DoModal());
    }
    return showRow(std::strcmp(what, "long") == 0);
}
