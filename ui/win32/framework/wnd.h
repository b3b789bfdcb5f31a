#pragma once
// A thin owner of a window handle. It never destroys the window it wraps; a subclassed
// window gets its messages through the virtual WindowProc.
#include <windows.h>

#include <string>

namespace mr {

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : m_hWnd(hwnd) {}
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetHandle() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND Detach();

    // Routes the window's messages through WindowProc until it is destroyed.
    bool SubclassWindow(HWND hwnd);
    void UnsubclassWindow();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    HWND GetParent() const;
    BOOL EnableWindow(bool enable) const;
    bool IsWindowEnabled() const;
    bool IsZoomed() const;
    BOOL ShowWindow(int command) const;
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    BOOL MoveWindow(const RECT& rect, bool repaint) const;
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) const;
    void Invalidate(bool erase = true) const;
    HICON SetIcon(HICON icon, bool big) const;
    HFONT GetFont() const;

protected:
    // Messages of a subclassed window; the default passes them to its old procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

public:
    HWND m_hWnd = nullptr;

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    WNDPROC m_previousProc = nullptr;
};

} // namespace mr
