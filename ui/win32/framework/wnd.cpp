#include "ui/win32/framework/wnd.h"

namespace mr {
namespace {
const wchar_t kWndProperty[] = L"mr.CWnd";
}

CWnd::~CWnd() {
    UnsubclassWindow();
}

HWND CWnd::Detach() {
    UnsubclassWindow();
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_previousProc || GetPropW(hwnd, kWndProperty))
        return false;
    m_hWnd = hwnd;
    SetPropW(hwnd, kWndProperty, this);
    m_previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return true;
}

void CWnd::UnsubclassWindow() {
    if (!m_previousProc)
        return;
    if (IsWindow(m_hWnd)) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
        RemovePropW(m_hWnd, kWndProperty);
    }
    m_previousProc = nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* self = static_cast<CWnd*>(GetPropW(hwnd, kWndProperty));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window goes away: hand it back before the last message.
        WNDPROC previous = self->m_previousProc;
        self->UnsubclassWindow();
        self->m_hWnd = nullptr;
        return previous ? CallWindowProcW(previous, hwnd, message, wParam, lParam)
                        : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_previousProc)
        return CallWindowProcW(m_previousProc, m_hWnd, message, wParam, lParam);
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

HWND CWnd::GetParent() const {
    return ::GetParent(m_hWnd);
}

BOOL CWnd::EnableWindow(bool enable) const {
    return ::EnableWindow(m_hWnd, enable);
}

bool CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd) != FALSE;
}

bool CWnd::IsZoomed() const {
    return ::IsZoomed(m_hWnd) != FALSE;
}

BOOL CWnd::ShowWindow(int command) const {
    return ::ShowWindow(m_hWnd, command);
}

RECT CWnd::GetWindowRect() const {
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect = {};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

BOOL CWnd::MoveWindow(const RECT& rect, bool repaint) const {
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        repaint);
}

BOOL CWnd::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
}

void CWnd::Invalidate(bool erase) const {
    InvalidateRect(m_hWnd, nullptr, erase);
}

HICON CWnd::SetIcon(HICON icon, bool big) const {
    return reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL,
                                                  reinterpret_cast<LPARAM>(icon)));
}

HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
}

} // namespace mr
