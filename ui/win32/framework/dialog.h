#pragma once
// A dialog on a template of the module's own resources. Modal dialogs run through the
// system's dialog box loop; the virtual handlers below are the message map.
#include "ui/win32/framework/wnd.h"

namespace mr {

class CDialog : public CWnd {
public:
    CDialog(UINT templateId, CWnd* parent);
    ~CDialog() override;

    // The end code given to EndDialog, or -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Every close goes through here: a modal dialog leaves its loop, which takes the
    // window down; a derived dialog does its last work before calling the base.
    virtual BOOL DestroyWindow();
    void EndDialog(int result);

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // TRUE when handled. The base turns IDOK and IDCANCEL into OnOK and OnCancel.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // TRUE when handled; *result is the notification's answer.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnSizing(UINT edge, RECT* rect);
    virtual void OnDestroy();
    // Any other message; true when handled, with *result as the dialog's answer.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    CWnd* m_parent;

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    int m_result = IDCANCEL;
    bool m_inModalLoop = false;
};

} // namespace mr
