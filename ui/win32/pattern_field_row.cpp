#include "ui/win32/pattern_field_row.h"

#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "ui/model/change_text_model.h"
#include "ui/model/field_layout.h"
#include "ui/win32/change_number_dlg.h"
#include "ui/win32/change_wild_dlg.h"

#include <iterator>

namespace mr {

PatternField::~PatternField() {
    if (control.m_hWnd && IsWindow(control.m_hWnd))
        ::DestroyWindow(control.Detach());
}

PatternFieldRow::PatternFieldRow(CDialog& dialog, ChangeTextModel& model,
                                 std::shared_ptr<ScreenDpi> dpi)
    : dialog_(dialog), model_(model), dpi_(std::move(dpi)) {}

PatternFieldRow::~PatternFieldRow() = default;

void PatternFieldRow::setTop(int top) {
    top_ = top;
}

bool PatternFieldRow::empty() const {
    return fields_.empty();
}

void PatternFieldRow::rebuild() {
    fields_.clear();
    const std::vector<PatternFieldInfo>& infos = model_.fields();
    fields_.reserve(infos.size());
    for (const PatternFieldInfo& info : infos) {
        auto field = std::make_unique<PatternField>();
        field->screenDpi = dpi_;
        field->text = info.text;
        field->isButton = info.isButton;
        measure(*field);
        fields_.push_back(std::move(field));
    }
    layoutForClientWidth();
    // Created controls come last in the tab order; the row's place is where it stands,
    // between the check boxes and "Reset", left to right.
    HWND previous = GetDlgItem(dialog_, IDC_NUMBERS_AS_TEXT);
    bool focused = false;
    for (auto& field : fields_) {
        createControl(*field);
        if (!field->control.m_hWnd)
            continue;
        if (previous)
            ::SetWindowPos(field->control, previous, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = field->control;
        if (!model_.editingEnabled())
            field->control.EnableWindow(false);
        if (!field->isButton && !focused) {
            focused = true;
            SetFocus(field->control);
            ::SendMessageW(field->control, EM_SETSEL, 0, -1);
            ::SendMessageW(field->control, EM_SCROLLCARET, 0, 0);
        }
    }
    position();
}

void PatternFieldRow::layout() {
    if (fields_.empty())
        return;
    layoutForClientWidth();
    position();
}

void PatternFieldRow::setEnabled(bool on) {
    for (auto& field : fields_)
        field->control.EnableWindow(on);
}

bool PatternFieldRow::onCommand(WORD id, WORD code, HWND control, bool ready) {
    if (id == IDC_FIELD_EDIT) {
        if (!ready)
            return true;
        if (code == EN_CHANGE) {
            onFieldTextChanged(control);
        } else if (code == EN_KILLFOCUS) {
            // The beginning of the text shows again once the user moves on.
            ::SendMessageW(control, EM_SETSEL, 0, 0);
            ::SendMessageW(control, EM_SCROLLCARET, 0, 0);
        }
        return true;
    }
    if (id == IDC_FIELD_BUTTON) {
        if (code == BN_CLICKED)
            onFieldButton(control);
        return true;
    }
    return false;
}

void PatternFieldRow::measure(PatternField& field) const {
    field.textWidth = 0;
    if (field.text.empty())
        return;
    HDC dc = GetDC(dialog_);
    if (!dc)
        return;
    HGDIOBJ previous = SelectObject(dc, dialog_.GetFont());
    const std::wstring text = toWide(field.text);
    SIZE extent = {};
    if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent))
        field.textWidth = dpi_->toDips(extent.cx);
    SelectObject(dc, previous);
    ReleaseDC(dialog_, dc);
}

void PatternFieldRow::layoutForClientWidth() {
    std::vector<FieldBox> boxes;
    boxes.reserve(fields_.size());
    for (const auto& field : fields_)
        boxes.push_back({field->textWidth, field->isButton, field->width, field->x});
    const RECT client = dialog_.GetClientRect();
    layoutFields(boxes, client.right - client.left, dpi_->dpi());
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->width = boxes[i].width;
        fields_[i]->x = boxes[i].x;
    }
}

void PatternFieldRow::createControl(PatternField& field) {
    const int x = dpi_->toPixels(field.x);
    const int width = dpi_->toPixels(field.width);
    const int height = dpi_->toPixels(kFieldHeightDips);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE));
    const std::wstring text = toWide(field.text);
    if (field.isButton) {
        field.control.Attach(CreateWindowExW(
            0, L"BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_FLAT, x, top_,
            width, height, dialog_, reinterpret_cast<HMENU>(IDC_FIELD_BUTTON), instance, nullptr));
        // The click finds its field through the button.
        SetWindowLongPtrW(field.control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&field));
    } else {
        field.control.Attach(CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", text.c_str(),
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, x, top_, width, height, dialog_,
            reinterpret_cast<HMENU>(IDC_FIELD_EDIT), instance, nullptr));
        field.control.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(dialog_.GetFont()), FALSE);
    }
}

void PatternFieldRow::position() {
    const int height = dpi_->toPixels(kFieldHeightDips);
    for (const auto& field : fields_) {
        field->control.SetWindowPos(nullptr, dpi_->toPixels(field->x), top_,
                                    dpi_->toPixels(field->width), height,
                                    SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
    for (const auto& field : fields_) {
        if (field->isButton)
            continue;
        DWORD start = 0, end = 0;
        field->control.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                                   reinterpret_cast<LPARAM>(&end));
        if (start == 0 && end == 0)
            continue;
        // After a resize the beginning of the text shows first, then the selection.
        field->control.SendMessage(EM_SETSEL, 0, 0);
        field->control.SendMessage(EM_SCROLLCARET);
        field->control.SendMessage(EM_SETSEL, start, static_cast<LPARAM>(end));
        field->control.SendMessage(EM_SCROLLCARET);
    }
    const RECT client = dialog_.GetClientRect();
    const RECT band = {0, top_, client.right, top_ + height};
    InvalidateRect(dialog_, &band, TRUE);
}

size_t PatternFieldRow::indexOf(HWND control) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (control && fields_[i]->control.m_hWnd == control)
            return i;
    return fields_.size();
}

void PatternFieldRow::onFieldTextChanged(HWND edit) {
    const size_t i = indexOf(edit);
    if (i == fields_.size() || fields_[i]->isButton)
        return;
    wchar_t buffer[kFieldTextLimit + 1] = {};
    const int length = GetWindowTextW(edit, buffer, static_cast<int>(std::size(buffer)));
    const std::u16string text = fromWide(std::wstring_view(buffer, length > 0 ? length : 0));
    PatternField& field = *fields_[i];
    if (text == field.text)
        return;
    field.text = text;
    model_.setFieldText(i, text);
    measure(field);
    layout();
}

void PatternFieldRow::onFieldButton(HWND button) {
    const auto* clicked =
        button ? reinterpret_cast<PatternField*>(GetWindowLongPtrW(button, GWLP_USERDATA))
               : nullptr;
    size_t i = 0;
    while (i < fields_.size() && fields_[i].get() != clicked)
        ++i;
    if (i == fields_.size())
        return;
    PatternToken* token = model_.fieldToken(i);
    if (!token)
        return;
    INT_PTR result = IDCANCEL;
    if (token->kind == TokenKind::Number) {
        CChangeNumberDlg dialog(&dialog_, model_.productName());
        dialog.setToken(*token);
        result = dialog.DoModal();
    } else if (token->kind == TokenKind::Wildcard) {
        CChangeWildDlg dialog(&dialog_);
        dialog.setToken(*token);
        result = dialog.DoModal();
    }
    if (result == IDOK)
        model_.fieldChanged();
}

} // namespace mr
