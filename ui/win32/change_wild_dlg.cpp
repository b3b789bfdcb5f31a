#include "ui/win32/change_wild_dlg.h"

#include "resources/resource.h"
#include "ui/win32/field_dialog.h"

namespace mr {
namespace {

using Control = ChangeWildModel::Control;

constexpr DialogControl<Control> kControls[] = {
    {IDOK, Control::Ok},
    {IDCANCEL, Control::Cancel},
    {IDC_WILD_RESET, Control::Reset},
    {IDC_WILD_CLEAR_TEXT, Control::ClearText},
    {IDC_WILD_TRUNCATE, Control::Truncate},
    {IDC_WILD_LENGTH, Control::Length},
    {IDC_WILD_CASE_NO_CHANGE, Control::NoChange},
    {IDC_WILD_CASE_UPPER, Control::Upper},
    {IDC_WILD_CASE_LOWER, Control::Lower},
};

} // namespace

CChangeWildDlg::CChangeWildDlg(CWnd* parent) : CFieldDialog(IDD_CHANGE_WILD, parent) {}

void CChangeWildDlg::open(const PatternToken& token) {
    model_.emplace(token);
}

void CChangeWildDlg::readControls() {
    model_->setTruncate(IsDlgButtonChecked(m_hWnd, IDC_WILD_TRUNCATE) == BST_CHECKED);
    model_->setLengthText(dialogItemText(m_hWnd, IDC_WILD_LENGTH));
    CaseMode mode = CaseMode::NoChange;
    if (IsDlgButtonChecked(m_hWnd, IDC_WILD_CASE_UPPER) == BST_CHECKED)
        mode = CaseMode::Upper;
    else if (IsDlgButtonChecked(m_hWnd, IDC_WILD_CASE_LOWER) == BST_CHECKED)
        mode = CaseMode::Lower;
    model_->setCase(mode);
}

void CChangeWildDlg::showModel() {
    showing_ = true;
    CheckDlgButton(m_hWnd, IDC_WILD_TRUNCATE, model_->truncate ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(m_hWnd, IDC_WILD_CASE_NO_CHANGE, IDC_WILD_CASE_LOWER,
                     IDC_WILD_CASE_NO_CHANGE + static_cast<int>(model_->caseMode));
    setDialogItemText(m_hWnd, IDC_WILD_LENGTH, model_->lengthText);
    showing_ = false;
}

void CChangeWildDlg::updateControls() {
    enableAsModelSays(m_hWnd, *model_, kControls);
}

BOOL CChangeWildDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (!opened() || LOWORD(wParam) != IDC_WILD_LENGTH)
        return CFieldDialog::OnCommand(wParam, lParam);
    if (HIWORD(wParam) != EN_CHANGE)
        return FALSE;
    // The dialog's own changes are in the model already; its buttons follow below.
    if (!showing_)
        readControls();
    updateControls();
    return TRUE;
}

bool CChangeWildDlg::clicked(int id) {
    switch (id) {
    case IDC_WILD_RESET:
        model_->reset();
        return true;
    case IDC_WILD_CLEAR_TEXT:
        model_->clearText();
        return true;
    case IDC_WILD_TRUNCATE:
    case IDC_WILD_CASE_NO_CHANGE:
    case IDC_WILD_CASE_UPPER:
    case IDC_WILD_CASE_LOWER:
        return true;
    default:
        return false;
    }
}

void CChangeWildDlg::apply(PatternToken& token) {
    model_->apply(token);
}

} // namespace mr
