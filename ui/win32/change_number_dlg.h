#pragma once
// "Change Number": clearing, renumbering and leading zeros of one number field. The
// window only mirrors ChangeNumberModel, which decides what is shown, enabled, stored
// and remembered.
#include "settings/registry.h"
#include "ui/model/field_dialogs.h"
#include "ui/win32/field_dialog.h"

#include <optional>
#include <string>

namespace mr {

class CChangeNumberDlg : public CFieldDialog {
public:
    // Throws std::invalid_argument for an empty product name (the settings store's rule).
    CChangeNumberDlg(CWnd* parent, const std::u16string& productName);

protected:
    void open(const PatternToken& token) override;
    void readControls() override;
    void showModel() override;
    void updateControls() override;
    void apply(PatternToken& token) override;
    bool clicked(int id) override;

private:
    Registry settings_;
    std::optional<ChangeNumberModel> model_;
};

} // namespace mr
