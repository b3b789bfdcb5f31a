#pragma once
// "Change Wild": truncation and case of one wildcard field. The window only mirrors
// ChangeWildModel, which decides what is shown, enabled and stored.
#include "pattern/token.h"
#include "ui/model/field_dialogs.h"
#include "ui/win32/framework/dialog.h"

#include <optional>

namespace mr {

class CChangeWildDlg : public CDialog {
public:
    explicit CChangeWildDlg(CWnd* parent);

    // The field being edited; set before DoModal. OK writes into it.
    void setToken(PatternToken& token) { token_ = &token; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void readControls();
    void showModel();
    void updateControls();

    PatternToken* token_ = nullptr;
    std::optional<ChangeWildModel> model_;
    bool showing_ = false; // the dialog's own edit changes are not the user's
};

} // namespace mr
