#include "driver.h"

#include <commctrl.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>
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

bool haveDisplay() {
    static const bool have = [] {
        HWND probe = CreateWindowExW(0, L"STATIC", L"probe", WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
        if (!probe)
            return false;
        DestroyWindow(probe);
        return true;
    }();
    return have;
}

namespace {

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK findDialog(HWND window, LPARAM param) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) &&
        windowText(window) == L"Multi Rename") {
        reinterpret_cast<Search*>(param)->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool runAndInspect(int count, const wchar_t* const* paths,
                   const std::function<void(HWND dialog)>& inspect) {
    const run_multirename_fn run = runMultirename();
    if (!run)
        return false;
    std::atomic<bool> returned{false};
    bool seen = false;
    std::thread driver([&] {
        while (!returned) {
            Search search;
            EnumWindows(&findDialog, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                seen = true;
                inspect(search.found);
                clickButton(search.found, IDCANCEL);
                return;
            }
            Sleep(20);
        }
    });
    run(nullptr, count, paths, false, nullptr);
    returned = true;
    driver.join();
    return seen;
}

std::wstring windowText(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
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

RECT rectInParent(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT dialogUnits(HWND dialog, int x, int y, int cx, int cy) {
    // The dialog manager converts the position and the size each on its own.
    RECT units = {x, y, cx, cy};
    MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

void clickButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void listCommand(HWND dialog, int command, bool post) {
    HWND list = GetDlgItem(dialog, 1503);
    if (post)
        PostMessageW(list, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    else
        SendMessageW(list, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

namespace {

struct TitleSearch {
    const std::wstring* title;
    HWND found = nullptr;
};

BOOL CALLBACK findTitle(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TitleSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) &&
        windowText(window) == *search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND waitForWindow(const std::wstring& title) {
    for (int i = 0; i < 1500; ++i) {
        TitleSearch search{&title};
        EnumWindows(&findTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        Sleep(20);
    }
    return nullptr;
}

bool waitUntilClosed(HWND window) {
    for (int i = 0; i < 1500 && IsWindow(window); ++i)
        Sleep(20);
    return !IsWindow(window);
}

std::wstring messageText(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == L"Static" &&
            (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
            const std::wstring text = windowText(child);
            if (!text.empty())
                return text;
        }
    }
    return L"";
}

void pressOk(HWND box) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

bool setClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool ok = false;
    if (block) {
        std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(block);
        ok = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        if (!ok)
            GlobalFree(block);
    }
    CloseClipboard();
    return ok;
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
