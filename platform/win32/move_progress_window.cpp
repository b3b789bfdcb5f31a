#include "platform/win32/move_progress_window.h"

#include "platform/win32/module_message.h"
#include "platform/win32/wide.h"
#include "rename/messages.h"

#include <string_view>
#include <vector>

namespace mr {
namespace {

constexpr unsigned kPumpEveryMs = 20;
constexpr unsigned kShowEveryMs = 100;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

// A dialog template in memory: the header, then one item after the other, each on a
// DWORD boundary.
class Template {
public:
    Template(DWORD style, short cx, short cy, std::u16string_view title, short items) {
        put(LOWORD(style));
        put(HIWORD(style));
        put(0); // extended style
        put(0);
        put(static_cast<WORD>(items));
        put(0); // x, y
        put(0);
        put(static_cast<WORD>(cx));
        put(static_cast<WORD>(cy));
        put(0); // no menu
        put(0); // the dialog class
        text(title);
        put(8);
        text(u"MS Shell Dlg");
    }
    void item(DWORD style, short x, short y, short cx, short cy, int id, WORD windowClass) {
        while (words_.size() % 2)
            put(0);
        style |= WS_CHILD | WS_VISIBLE;
        put(LOWORD(style));
        put(HIWORD(style));
        put(0);
        put(0);
        for (short v : {x, y, cx, cy})
            put(static_cast<WORD>(v));
        put(static_cast<WORD>(id));
        put(0xFFFF);
        put(windowClass);
        put(0); // no text: set after creation
        put(0); // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void put(WORD w) { words_.push_back(w); }
    void text(std::u16string_view s) {
        for (char16_t c : s)
            put(c);
        put(0);
    }
    std::vector<WORD> words_;
};

unsigned long long now() {
    return GetTickCount64();
}

} // namespace

MoveProgressWindow::MoveProgressWindow(HWND owner, size_t total, unsigned showAfterMs)
    : owner_(owner), total_(total), start_(now()), showAfterMs_(showAfterMs) {
    Template dialog(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                    240, 71, moduleString(IDS_RENAMING_FILES), 3);
    dialog.item(SS_LEFT | SS_NOPREFIX, 7, 7, 226, 26, kTextId, kStaticClass);
    dialog.item(SS_OWNERDRAW, 7, 36, 226, 8, kBarId, kStaticClass);
    dialog.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 50, 50, 14, IDCANCEL, kButtonClass);
    window_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.get(), owner, dialogProc,
                                         reinterpret_cast<LPARAM>(this));
    if (!window_)
        return;
    SetDlgItemTextW(window_, IDCANCEL, toWide(moduleString(IDS_CANCEL)).c_str());
    showCount(0);
    // The owner takes no input while its files move, as under a modal window.
    ownerWasEnabled_ = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled_)
        EnableWindow(owner_, FALSE);
    if (showAfterMs_ == 0)
        ShowWindow(window_, SW_SHOW);
}

MoveProgressWindow::~MoveProgressWindow() {
    // The owner first, so that it becomes the active window again.
    if (ownerWasEnabled_)
        EnableWindow(owner_, TRUE);
    if (window_)
        DestroyWindow(window_);
}

bool MoveProgressWindow::update(size_t done) {
    if (!window_)
        return true;
    const unsigned long long t = now();
    if (!IsWindowVisible(window_) && t - start_ >= showAfterMs_)
        ShowWindow(window_, SW_SHOW);
    if (done == total_ || t - lastShown_ >= kShowEveryMs) {
        lastShown_ = t;
        showCount(done);
    }
    if (t - lastPump_ >= kPumpEveryMs) {
        lastPump_ = t;
        pump();
    }
    return !cancelled_;
}

void MoveProgressWindow::showCancelled(size_t done) {
    if (!window_)
        return;
    finished_ = true;
    SetDlgItemTextW(window_, kTextId,
                    toWide(countedString(IDS_CANCELLED_AFTER, done, total_)).c_str());
    SetDlgItemTextW(window_, IDCANCEL, toWide(moduleString(IDS_CLOSE)).c_str());
    ShowWindow(window_, SW_SHOW);
    MSG msg;
    while (!closed_ && GetMessageW(&msg, nullptr, 0, 0) > 0)
        if (!IsDialogMessageW(window_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    if (!closed_)
        PostQuitMessage(static_cast<int>(msg.wParam)); // a quit seen here is the caller's
}

void MoveProgressWindow::showCount(size_t done) {
    shownDone_ = done;
    SetDlgItemTextW(window_, kTextId,
                    toWide(countedString(IDS_RENAMED_COUNT, done, total_)).c_str());
    InvalidateRect(GetDlgItem(window_, kBarId), nullptr, FALSE);
}

void MoveProgressWindow::pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Stop, and leave the quit for the loop it belongs to.
            cancelled_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!IsDialogMessageW(window_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

INT_PTR CALLBACK MoveProgressWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* self = reinterpret_cast<MoveProgressWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    case WM_COMMAND:
        if (self && LOWORD(wParam) == IDCANCEL) {
            if (self->finished_)
                self->closed_ = true;
            self->cancelled_ = true;
            return TRUE;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!self || item.CtlID != kBarId)
            break;
        RECT r = item.rcItem;
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
        FrameRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&r, -1, -1);
        if (self->total_)
            r.right = r.left +
                      static_cast<LONG>((r.right - r.left) * static_cast<double>(self->shownDone_) /
                                        static_cast<double>(self->total_));
        FillRect(item.hDC, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        return TRUE;
    }
    default:
        break;
    }
    return FALSE;
}

} // namespace mr
