#pragma once
// The Multi Rename dialog: a window over ChangeTextModel. It turns messages into calls
// on the model and the model's requests into window calls; the rules are the model's.
#include "rename/records.h"
#include "ui/model/change_text_model.h"
#include "ui/model/change_text_view.h"
#include "ui/win32/dialog_layout.h"
#include "ui/win32/dpi_icon.h"
#include "ui/win32/framework/controls.h"
#include "ui/win32/framework/dialog.h"
#include "ui/win32/framework/gdi.h"
#include "ui/win32/names_list_ctrl.h"
#include "ui/win32/pattern_field_row.h"
#include "ui/win32/screen_dpi.h"
#include "ui/win32/size_grip.h"

#include <memory>
#include <string>

namespace mr {

class ChangeTextDlg : public CDialog, public ScreenDpi::ScreenDpiWatcher, private ChangeTextView {
public:
    // Derives the patterns (under a wait cursor); creates no window.
    ChangeTextDlg(std::u16string productName, CWnd* parent, RecordSet& records);
    ~ChangeTextDlg() override;

    BOOL DestroyWindow() override;
    void onDpiChanged(uint32_t oldDpi, uint32_t newDpi) override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSizing(UINT edge, RECT* rect) override;

private:
    // ChangeTextView
    void fieldsRebuilt() override;
    void editingEnabledChanged() override;
    void namesRefreshed() override;
    void rowsRemoved() override;
    void showMessage(uint32_t id, std::u16string_view text, MessageIcon icon) override;
    bool putClipboardText(std::u16string_view text) override;
    std::optional<std::u16string> clipboardText() override;

    void setHostIcons();
    void createBoldFont();
    void showCheckBoxes() const;
    void sizeColumns();

    std::u16string productName_;
    std::shared_ptr<ScreenDpi> screenDpi_;
    DpiIcon windowIcon_;
    DialogLayout layout_;
    SizeGrip sizeGrip_;
    std::unique_ptr<ChangeTextModel> model_;
    std::unique_ptr<PatternFieldRow> fieldRow_;
    int fieldRowTop_ = 0;
    CFont boldFont_; // before the list, which draws with it
    CNamesListCtrl namesList_;
    CImageList stateImages_;
    CButton allowExtensionChanges_;
    CButton numbersAsText_;
    HICON dialogIcon_ = nullptr; // the large host icon in the template's icon control
    bool built_ = false;         // the window's contents exist
    bool watching_ = false;
};

} // namespace mr
