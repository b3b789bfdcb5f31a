#include "ui/win32/field_dialog.h"

namespace mr {

BOOL CFieldDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!token_) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    open(*token_);
    opened_ = true;
    refresh();
    return TRUE;
}

BOOL CFieldDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (!opened_ || id == IDOK || id == IDCANCEL || HIWORD(wParam) != BN_CLICKED)
        return CDialog::OnCommand(wParam, lParam);
    readControls();
    if (!clicked(id))
        return FALSE;
    refresh();
    return TRUE;
}

void CFieldDialog::OnOK() {
    if (opened_) {
        readControls();
        apply(*token_);
    }
    CDialog::OnOK();
}

} // namespace mr
