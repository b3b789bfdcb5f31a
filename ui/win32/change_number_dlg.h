#pragma once
// "Change Number": clearing, renumbering and leading zeros of one number field. The
// window only mirrors ChangeNumberModel, which decides what is shown, enabled, stored
// and remembered.
#include "pattern/token.h"
#include "settings/registry.h"
#include "ui/model/field_dialogs.h"
#include "ui/win32/framework/dialog.h"

#include <optional>
#include <string>

namespace mr {

class CChangeNumberDlg : public CDialog {
public:
    // Throws std::invalid_argument for an empty product name (the settings store's rule).
    CChangeNumberDlg(CWnd* parent, const std::u16string& productName);

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

    Registry settings_;
    PatternToken* token_ = nullptr;
    std::optional<ChangeNumberModel> model_;
};

} // namespace mr
