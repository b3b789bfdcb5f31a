#include "ui/win32/framework/dialog.h"

#include "ui/win32/framework/module_state.h"

namespace mr {
namespace {
// The dialog whose window is being created on this thread: messages arrive before
// WM_INITDIALOG (WM_SETFONT, the first WM_SIZE) and must already reach it.
thread_local CDialog* t_creating = nullptr;
} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_parent(parent), m_templateId(templateId) {}

CDialog::~CDialog() {
    if (t_creating == this)
        t_creating = nullptr;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd)
        return -1;
    HWND parent = m_parent ? m_parent->GetHandle() : nullptr;
    if (parent && !IsWindow(parent))
        parent = nullptr;
    m_inModalLoop = true;
    t_creating = this;
    const INT_PTR result =
        DialogBoxParamW(ModuleState::resourceInstance(), MAKEINTRESOURCEW(m_templateId), parent,
                        &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    t_creating = nullptr;
    m_inModalLoop = false;
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::DestroyWindow() {
    if (!m_hWnd)
        return FALSE;
    if (m_inModalLoop)
        return ::EndDialog(m_hWnd, m_result);
    return ::DestroyWindow(m_hWnd);
}

void CDialog::EndDialog(int result) {
    m_result = result;
    DestroyWindow();
}

BOOL CDialog::OnInitDialog() {
    return TRUE;
}

void CDialog::OnOK() {
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::OnNotify(WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

void CDialog::OnSize(UINT, int, int) {}

void CDialog::OnSizing(UINT, RECT*) {}

void CDialog::OnDestroy() {}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self && t_creating) {
        self = t_creating;
        t_creating = nullptr;
        self->m_hWnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        return FALSE;
    }
    return self->dispatch(message, wParam, lParam);
}

INT_PTR CDialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result))
            return FALSE;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_SIZING:
        OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam));
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE;
    default: {
        LRESULT result = 0;
        if (!OnMessage(message, wParam, lParam, &result))
            return FALSE;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    }
}

} // namespace mr
