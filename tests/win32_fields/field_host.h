#pragma once
// Windows of the field editors without the module around them: the sub-dialogs run
// modally on the test's thread while a second thread drives them, and the field row
// lives in a modeless copy of the Multi Rename template.
#include "rename/records.h"
#include "ui/model/change_text_model.h"
#include "ui/win32/framework/dialog.h"
#include "ui/win32/pattern_field_row.h"
#include "ui/win32/screen_dpi.h"
#include "win32_support/driving.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mr::test {

// The tests' own product, so that nothing they remember reaches the module's key.
inline constexpr char16_t kTestProduct[] = u"Sorrelcast Field Tests";

// The test product's key in the current user's registry, and its removal.
std::wstring settingsKey();
void clearSettings();

// Runs dialog.DoModal() here; once a window titled `title` shows, `drive` runs on a
// second thread and must close it. Returns DoModal's result.
INT_PTR runDriven(CDialog& dialog, const wchar_t* title, const std::function<void(HWND)>& drive);

// A Multi Rename window (modeless, of the module's template) with a field row over a
// model of files in one folder. Its commands reach the row as the dialog passes them.
class RowHost {
public:
    explicit RowHost(const std::vector<std::u16string>& names);
    ~RowHost();
    RowHost(const RowHost&) = delete;
    RowHost& operator=(const RowHost&) = delete;

    HWND window() const { return dialog_.GetHandle(); }
    ChangeTextModel& model() { return *model_; }
    PatternFieldRow& row() { return *row_; }
    const ScreenDpi& dpi() const { return *dpi_; }
    // The row's controls from left to right in creation order.
    std::vector<HWND> controls() const;
    // Resizes the window's client area and lays the row out again, as on WM_SIZE.
    void setClientWidth(int pixels);
    int clientWidth() const;
    std::vector<std::u16string> newNames() const;

private:
    static INT_PTR CALLBACK proc(HWND, UINT, WPARAM, LPARAM);

    RecordSet set_;
    std::unique_ptr<ChangeTextModel> model_;
    CDialog dialog_;
    std::shared_ptr<ScreenDpi> dpi_;
    std::unique_ptr<PatternFieldRow> row_;
};

} // namespace mr::test
