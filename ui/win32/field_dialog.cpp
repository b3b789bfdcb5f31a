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

void CFieldDialog::OnOK() {
    if (opened_) {
        readControls();
        apply(*token_);
    }
    CDialog::OnOK();
}

} // namespace mr
