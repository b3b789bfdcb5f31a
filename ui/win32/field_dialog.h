#pragma once
// What the Change Wild and Change Number windows share: one token edited through a
// model that decides everything, control texts, and enabling controls as the model says
// while keeping the focus usable.
#include "pattern/token.h"
#include "platform/win32/wide.h"
#include "ui/win32/framework/dialog.h"

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mr {

class CFieldDialog : public CDialog {
public:
    // The field being edited; set before DoModal. Only OK writes into it.
    void setToken(PatternToken& token) { token_ = &token; }

protected:
    CFieldDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

    BOOL OnInitDialog() override;
    // A click on one of the dialog's own buttons: the model takes the controls' state,
    // then the click's action, and the controls follow the model.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

    // The model's action for a click; false when the control is not the dialog's.
    virtual bool clicked(int id) = 0;

    // The model opens on the token; then the controls show it.
    virtual void open(const PatternToken& token) = 0;
    virtual void readControls() = 0;
    virtual void showModel() = 0;
    virtual void updateControls() = 0;
    virtual void apply(PatternToken& token) = 0;

    // After a handled command changed the model: the controls follow it.
    void refresh() {
        showModel();
        updateControls();
    }
    bool opened() const { return opened_; }

private:
    PatternToken* token_ = nullptr;
    bool opened_ = false;
};

template <class Control>
struct DialogControl {
    int id;
    Control control;
};

inline std::u16string dialogItemText(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(item, text.data(), static_cast<int>(text.size()))));
    return fromWide(text);
}

// Only a real change reaches the edit, so that it sends no needless change notification.
inline void setDialogItemText(HWND dialog, int id, std::u16string_view text) {
    if (dialogItemText(dialog, id) != text)
        SetDlgItemTextW(dialog, id, toWide(text).c_str());
}

// Enables every listed control as the model says. When the focused control is disabled
// now, or nothing has the focus, OK takes it as the dialog's next control.
template <class Model, size_t N>
void enableAsModelSays(HWND dialog, const Model& model,
                       const DialogControl<typename Model::Control> (&controls)[N]) {
    const HWND focus = GetFocus();
    std::optional<typename Model::Control> focused;
    for (const auto& c : controls) {
        const HWND item = GetDlgItem(dialog, c.id);
        if (item == focus)
            focused = c.control;
        EnableWindow(item, model.isEnabled(c.control));
    }
    if (!GetFocus() || (focused && !model.isEnabled(*focused)))
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDOK)),
                     TRUE);
}

} // namespace mr
