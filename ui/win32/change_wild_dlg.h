#pragma once
// "Change Wild": truncation and case of one wildcard field. The window only mirrors
// ChangeWildModel, which decides what is shown, enabled and stored.
#include "ui/model/field_dialogs.h"
#include "ui/win32/field_dialog.h"

#include <optional>

namespace mr {

class CChangeWildDlg : public CFieldDialog {
public:
    explicit CChangeWildDlg(CWnd* parent);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void open(const PatternToken& token) override;
    void readControls() override;
    void showModel() override;
    void updateControls() override;
    void apply(PatternToken& token) override;
    bool clicked(int id) override;

private:
    std::optional<ChangeWildModel> model_;
    bool showing_ = false; // the dialog's own edit changes are not the user's
};

} // namespace mr
