#include "driver.h"

#include <commctrl.h>

#include <atomic>
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

} // namespace mr::test
