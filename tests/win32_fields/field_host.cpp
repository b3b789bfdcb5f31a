#include "field_host.h"

#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "support/memory_file_system.h"
#include "ui/model/field_layout.h"

#include <commctrl.h>

#include <algorithm>

namespace mr::test {

std::wstring settingsKey() {
    return L"SOFTWARE\\Nombrel Software\\" + toWide(kTestProduct);
}

void clearSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, settingsKey().c_str());
}

INT_PTR runDriven(CDialog& dialog, const wchar_t* title, const std::function<void(HWND)>& drive) {
    INT_PTR result = -1;
    driveWhile([&] { result = dialog.DoModal(); }, title, drive);
    return result;
}

RowHost::RowHost(const std::vector<std::u16string>& names)
    : dialog_(IDD_MULTI_RENAME, nullptr), dpi_(std::make_shared<ScreenDpi>()) {
    MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (const auto& name : names) {
        fs.add(u"C:\\P\\", name);
        paths.push_back(u"C:\\P\\" + name);
    }
    fillRecordSet(set_, paths, fs);
    model_ = std::make_unique<ChangeTextModel>(kTestProduct, set_);
    model_->initialise(nullptr);
    // The template's list needs the common controls registered in this program.
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const HWND window =
        CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MULTI_RENAME), nullptr,
                           &RowHost::proc, reinterpret_cast<LPARAM>(this));
    dialog_.Attach(window);
    dpi_->updateFromWindow(window);
    row_ = std::make_unique<PatternFieldRow>(dialog_, *model_, dpi_);
    row_->setTop(dpi_->toPixels(kFieldRowTopDips));
    model_->ready = false;
    row_->rebuild();
    model_->ready = true;
}

RowHost::~RowHost() {
    row_.reset();
    if (dialog_.GetHandle())
        DestroyWindow(dialog_.Detach());
}

INT_PTR CALLBACK RowHost::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* host = reinterpret_cast<RowHost*>(GetWindowLongPtrW(window, DWLP_USER));
    if (message == WM_COMMAND && host && host->row_) {
        host->row_->onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam),
                              host->model_->ready);
        return TRUE;
    }
    return FALSE;
}

std::vector<HWND> RowHost::controls() const {
    std::vector<HWND> found;
    for (HWND child = GetWindow(window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id == IDC_FIELD_EDIT || id == IDC_FIELD_BUTTON)
            found.push_back(child);
    }
    return found;
}

void RowHost::setClientWidth(int pixels) {
    RECT outer = {}, client = {};
    GetWindowRect(window(), &outer);
    GetClientRect(window(), &client);
    const int frame = (outer.right - outer.left) - client.right;
    SetWindowPos(window(), nullptr, 0, 0, pixels + frame, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    row_->layout();
}

int RowHost::clientWidth() const {
    RECT client = {};
    GetClientRect(window(), &client);
    return client.right;
}

std::vector<std::u16string> RowHost::newNames() const {
    std::vector<std::u16string> out;
    for (const FileRecord* f : model_->rows())
        out.push_back(f->newName);
    return out;
}

} // namespace mr::test
