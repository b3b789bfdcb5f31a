#include "driver.h"

#include "resources/resource.h"

#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace mr::test {

HMODULE module() {
    static HMODULE loaded = LoadLibraryW(L"multirename.dll");
    return loaded;
}

run_multirename_fn runMultirename() {
    if (!module())
        return nullptr;
    return reinterpret_cast<run_multirename_fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(module(), "run_multirename")));
}

namespace {

HANDLE moduleContext() {
    static HANDLE context = [] {
        if (!module())
            return INVALID_HANDLE_VALUE;
        ACTCTXW request = {};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = module();
        request.lpResourceName = MAKEINTRESOURCEW(2);
        return CreateActCtxW(&request);
    }();
    return context;
}

} // namespace

ModuleControlsScope::ModuleControlsScope() {
    if (moduleContext() != INVALID_HANDLE_VALUE)
        active_ = ActivateActCtx(moduleContext(), &cookie_) != FALSE;
}

ModuleControlsScope::~ModuleControlsScope() {
    if (active_)
        DeactivateActCtx(0, cookie_);
}

HMODULE moduleControls() {
    static HMODULE controls = [] {
        ModuleControlsScope scope;
        return LoadLibraryW(L"comctl32.dll");
    }();
    return controls;
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

std::wstring listText(HWND list, int item, int column) {
    std::vector<wchar_t> buffer(1024, L'\0');
    LVITEMW lvi = {};
    lvi.iSubItem = column;
    lvi.pszText = buffer.data();
    lvi.cchTextMax = static_cast<int>(buffer.size());
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
    return buffer.data();
}

RECT dialogUnits(HWND dialog, int x, int y, int cx, int cy) {
    // The dialog manager converts the position and the size each on its own.
    RECT units = {x, y, cx, cy};
    MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

void listCommand(HWND dialog, int command, bool post) {
    HWND list = GetDlgItem(dialog, 1503);
    if (post)
        PostMessageW(list, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    else
        SendMessageW(list, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void pasteNames(HWND dialog, const std::vector<std::wstring>& lines, bool post) {
    std::wstring text;
    for (const auto& line : lines)
        text += line + L"\r\n";
    ASSERT_TRUE(setClipboardText(text));
    if (post)
        clickButton(dialog, IDC_PASTE_NAMES);
    else
        pressButton(dialog, IDC_PASTE_NAMES);
}

ListRows readList(HWND dialog) {
    HWND list = GetDlgItem(dialog, 1503);
    ListRows rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        rows.oldNames.push_back(listText(list, i, 0));
        rows.newNames.push_back(listText(list, i, 1));
        rows.stateImages.push_back(
            static_cast<int>(SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK) >> 12));
        rows.selected.push_back(SendMessageW(list, LVM_GETITEMSTATE, i, LVIS_SELECTED) != 0);
    }
    return rows;
}

void FolderTest::SetUp() {
    MR_REQUIRE_DISPLAY();
    ASSERT_NE(runMultirename(), nullptr) << "multirename.dll or its export is missing";
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    root = std::filesystem::temp_directory_path() /
           (L"mr-dialog-" + std::to_wstring(testing::UnitTest::GetInstance()->random_seed()) +
            L"-" + std::filesystem::path(info->name()).wstring());
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

std::string FolderTest::contents(const std::filesystem::path& relative) const {
    std::ifstream in(root / relative);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace mr::test
