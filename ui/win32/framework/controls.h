#pragma once
// Thin wrappers of the standard controls the dialogs use.
#include "ui/win32/framework/wnd.h"

#include <commctrl.h>

namespace mr {

class CButton : public CWnd {
public:
    void SetCheck(int state) const;
};

// A report-view list whose items carry their texts by callback (LVN_GETDISPINFO) and
// a pointer-sized item data.
class CListCtrl : public CWnd {
public:
    DWORD SetExtendedStyle(DWORD style) const;
    int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT,
                     int width = -1) const;
    int GetColumnCount() const;
    BOOL SetColumnWidth(int column, int width) const;
    int GetColumnWidth(int column) const;
    int GetItemCount() const;
    BOOL SetItemState(int item, UINT state, UINT mask) const;
    UINT GetItemState(int item, UINT mask) const;
    int GetNextItem(int start, int flags) const;
    // Returns the list the control used before.
    HIMAGELIST SetImageList(HIMAGELIST list, int which) const;
};

} // namespace mr
