#include "driver.h"

#include "platform/win32/wide.h"
#include "resources/resource.h"
#include "ui/win32/clipboard.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace mr::test {

run_multirename_fn runMultirename() {
    static const HMODULE module = LoadLibraryW(L"multirename.dll");
    return module ? reinterpret_cast<run_multirename_fn>(
                        reinterpret_cast<void (*)()>(GetProcAddress(module, "run_multirename")))
                  : nullptr;
}

bool runAndInspect(int count, const wchar_t* const* paths,
                   const std::function<void(HWND dialog)>& inspect) {
    const run_multirename_fn run = runMultirename();
    if (!run)
        return false;
    return driveWhile([&] { run(nullptr, count, paths, false, nullptr); }, L"Multi Rename",
                      [&](HWND dialog) {
                          inspect(dialog);
                          clickButton(dialog, IDCANCEL);
                      });
}

bool runAndInspect(const std::vector<std::wstring>& paths,
                   const std::function<void(HWND dialog)>& inspect) {
    std::vector<const wchar_t*> raw;
    for (const auto& path : paths)
        raw.push_back(path.c_str());
    return runAndInspect(static_cast<int>(raw.size()), raw.data(), inspect);
}

std::wstring listText(HWND list, int item, int column) {
    std::vector<wchar_t> buffer(1024, L'\0');
    LVITEMW lvi = {};
    lvi.iSubItem = column;
    lvi.pszText = buffer.data();
    lvi.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return buffer.data();
}

void listCommand(HWND dialog, int command, bool post) {
    HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
    if (post)
        PostMessageW(list, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    else
        SendMessageW(list, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void selectRow(HWND dialog, int row) {
    LVITEMW item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageW(GetDlgItem(dialog, IDC_NAMES_LIST), LVM_SETITEMSTATE, row,
                 reinterpret_cast<LPARAM>(&item));
}

void pasteNames(HWND dialog, const std::vector<std::wstring>& lines, bool post) {
    std::wstring text;
    for (const auto& line : lines)
        text += line + L"\r\n";
    ASSERT_TRUE(putClipboardText(fromWide(text)));
    (post ? clickButton : pressButton)(dialog, IDC_PASTE_NAMES);
}

std::wstring clipboardTextNow() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(memory));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

ListRows readList(HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_NAMES_LIST);
    ListRows rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        rows.oldNames.push_back(listText(list, i, 0));
        rows.newNames.push_back(listText(list, i, 1));
        rows.stateImages.push_back(
            static_cast<int>(SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK) >> 12));
    }
    return rows;
}

void FolderTest::SetUp() {
    ASSERT_NE(runMultirename(), nullptr) << "multirename.dll or its export is missing";
    root = std::filesystem::temp_directory_path() /
           (L"mr-dialog-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::filesystem::path(testing::UnitTest::GetInstance()->current_test_info()->name())
                .wstring());
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
}

void FolderTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::wstring FolderTest::touch(const std::filesystem::path& relative, const std::string& text) {
    const std::filesystem::path path = root / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << text;
    return path.wstring();
}

std::vector<std::wstring> FolderTest::touchAll(std::initializer_list<const wchar_t*> names) {
    std::vector<std::wstring> paths;
    for (const wchar_t* name : names)
        paths.push_back(touch(name));
    return paths;
}

std::string FolderTest::contents(const std::filesystem::path& relative) const {
    std::ifstream in(root / relative);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace mr::test
