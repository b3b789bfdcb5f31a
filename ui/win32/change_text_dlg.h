#pragma once
// The Multi Rename dialog. For now it lists the files over the record set with their
// status images and closes on Rename or Cancel; the pattern editing, validation and
// renaming come with the dialog model, which replaces the marked internals below.
#include "rename/records.h"
#include "ui/win32/dialog_layout.h"
#include "ui/win32/dpi_icon.h"
#include "ui/win32/framework/controls.h"
#include "ui/win32/framework/dialog.h"
#include "ui/win32/framework/gdi.h"
#include "ui/win32/screen_dpi.h"
#include "ui/win32/size_grip.h"

#include <memory>
#include <string>

namespace mr {

class ChangeTextDlg : public CDialog, public ScreenDpi::ScreenDpiWatcher {
public:
    ChangeTextDlg(std::u16string productName, CWnd* parent, RecordSet& records);
    ~ChangeTextDlg() override;

    BOOL DestroyWindow() override;
    void onDpiChanged(uint32_t oldDpi, uint32_t newDpi) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSizing(UINT edge, RECT* rect) override;

private:
    void setHostIcons();
    // Provisional: replaced by the dialog model's list filling and refresh.
    void fillList();
    void showStatuses();
    void sizeColumns();
    bool listText(NMLVDISPINFOW& info) const;

    std::u16string productName_;
    std::shared_ptr<ScreenDpi> screenDpi_;
    DpiIcon windowIcon_;
    RecordSet* records_;
    DialogLayout layout_;
    SizeGrip sizeGrip_;
    CListCtrl namesList_;
    CImageList stateImages_;
    CButton allowExtensionChanges_;
    CButton numbersAsText_;
    HICON dialogIcon_ = nullptr; // the large host icon in the template's icon control
    bool watching_ = false;
};

} // namespace mr
