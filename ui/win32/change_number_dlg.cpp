#include "ui/win32/change_number_dlg.h"

#include "resources/resource.h"
#include "seams/settings_store.h"
#include "ui/win32/field_dialog.h"

namespace mr {
namespace {

using Control = ChangeNumberModel::Control;
using Number = ChangeNumberModel::Number;
using Zeros = ChangeNumberModel::Zeros;

constexpr DialogControl<Control> kControls[] = {
    {IDOK, Control::Ok},
    {IDCANCEL, Control::Cancel},
    {IDC_NUMBER_RESET, Control::Reset},
    {IDC_NUMBER_CLEAR_TEXT, Control::ClearText},
    {IDC_NUMBER_NO_CHANGE, Control::NoChange},
    {IDC_NUMBER_CLEAR, Control::ClearRadio},
    {IDC_NUMBER_RENUMBER, Control::Renumber},
    {IDC_NUMBER_START, Control::Start},
    {IDC_ZEROS_NO_CHANGE, Control::ZerosNoChange},
    {IDC_ZEROS_REMOVE, Control::Remove},
    {IDC_ZEROS_PAD, Control::Make},
    {IDC_NUMBER_DIGITS, Control::Digits},
};

constexpr UINT kStartLimit = 20;
constexpr UINT kDigitsLimit = 3;

bool checked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

} // namespace

CChangeNumberDlg::CChangeNumberDlg(CWnd* parent, const std::u16string& productName)
    : CFieldDialog(IDD_CHANGE_NUMBER, parent), settings_(productName, platformSettingsStore()) {}

void CChangeNumberDlg::open(const PatternToken& token) {
    model_.emplace(token, settings_);
    SendDlgItemMessageW(m_hWnd, IDC_NUMBER_START, EM_SETLIMITTEXT, kStartLimit, 0);
    SendDlgItemMessageW(m_hWnd, IDC_NUMBER_DIGITS, EM_SETLIMITTEXT, kDigitsLimit, 0);
}

void CChangeNumberDlg::readControls() {
    model_->number = checked(m_hWnd, IDC_NUMBER_CLEAR)      ? Number::ClearText
                     : checked(m_hWnd, IDC_NUMBER_RENUMBER) ? Number::Renumber
                                                            : Number::NoChange;
    model_->zeros = checked(m_hWnd, IDC_ZEROS_REMOVE) ? Zeros::Remove
                    : checked(m_hWnd, IDC_ZEROS_PAD)  ? Zeros::Make
                                                      : Zeros::NoChange;
    model_->startText = dialogItemText(m_hWnd, IDC_NUMBER_START);
    model_->digitsText = dialogItemText(m_hWnd, IDC_NUMBER_DIGITS);
}

void CChangeNumberDlg::showModel() {
    const int number = model_->number == Number::ClearText  ? IDC_NUMBER_CLEAR
                       : model_->number == Number::Renumber ? IDC_NUMBER_RENUMBER
                                                            : IDC_NUMBER_NO_CHANGE;
    const int zeros = model_->zeros == Zeros::Remove ? IDC_ZEROS_REMOVE
                      : model_->zeros == Zeros::Make ? IDC_ZEROS_PAD
                                                     : IDC_ZEROS_NO_CHANGE;
    CheckRadioButton(m_hWnd, IDC_NUMBER_NO_CHANGE, IDC_NUMBER_RENUMBER, number);
    CheckRadioButton(m_hWnd, IDC_ZEROS_NO_CHANGE, IDC_ZEROS_PAD, zeros);
    setDialogItemText(m_hWnd, IDC_NUMBER_START, model_->startText);
    setDialogItemText(m_hWnd, IDC_NUMBER_DIGITS, model_->digitsText);
}

void CChangeNumberDlg::updateControls() {
    enableAsModelSays(m_hWnd, *model_, kControls);
}

bool CChangeNumberDlg::clicked(int id) {
    switch (id) {
    case IDC_NUMBER_RESET:
        model_->reset();
        return true;
    case IDC_NUMBER_CLEAR_TEXT:
        model_->clearText();
        return true;
    case IDC_NUMBER_NO_CHANGE:
    case IDC_NUMBER_CLEAR:
    case IDC_NUMBER_RENUMBER:
    case IDC_ZEROS_NO_CHANGE:
    case IDC_ZEROS_REMOVE:
    case IDC_ZEROS_PAD:
        return true;
    default:
        return false;
    }
}

void CChangeNumberDlg::apply(PatternToken& token) {
    model_->apply(token, settings_);
}

} // namespace mr
