#include "win32_support/driving.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace mr::test {

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

std::wstring windowText(HWND window) {
    std::wstring buffer(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    buffer.resize(static_cast<size_t>(
        GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()))));
    return buffer;
}

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

RECT rectInParent(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::vector<HWND> controlsWithId(HWND dialog, int id) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == id)
            found.push_back(child);
    std::stable_sort(found.begin(), found.end(),
                     [](HWND a, HWND b) { return rectInParent(a).left < rectInParent(b).left; });
    return found;
}

namespace {

struct Search {
    const std::wstring* title;
    HWND found = nullptr;
};

BOOL CALLBACK findTitle(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
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

HWND visibleWindow(const std::wstring& title) {
    Search search{&title};
    EnumWindows(&findTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(const std::wstring& title) {
    for (int i = 0; i < 1500; ++i) {
        if (HWND found = visibleWindow(title))
            return found;
        Sleep(20);
    }
    return nullptr;
}

bool waitUntilClosed(HWND window) {
    for (int i = 0; i < 1500 && IsWindow(window); ++i)
        Sleep(20);
    return !IsWindow(window);
}

bool driveWhile(const std::function<void()>& action, const std::wstring& title,
                const std::function<void(HWND)>& drive) {
    std::atomic<bool> done{false};
    bool seen = false;
    std::thread driver([&] {
        while (!done) {
            const HWND window = visibleWindow(title);
            if (!window) {
                Sleep(20);
                continue;
            }
            seen = true;
            drive(window);
            // A drive that stopped early must not leave the test waiting forever.
            for (int i = 0; i < 500 && !done && IsWindow(window); ++i)
                Sleep(20);
            if (!done && IsWindow(window)) {
                ADD_FAILURE() << "the window stayed open";
                clickButton(window, IDCANCEL);
            }
            return;
        }
    });
    action();
    done = true;
    driver.join();
    return seen;
}

void clickButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressButton(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
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
    clickButton(box, IDOK);
}

std::wstring answerMessage() {
    HWND box = waitForWindow(kMessageTitle);
    if (!box)
        return L"";
    const std::wstring text = messageText(box);
    pressOk(box);
    waitUntilClosed(box);
    return text;
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

std::optional<std::wstring> clipboardTextNow() {
    if (!OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* data = static_cast<const wchar_t*>(GlobalLock(memory))) {
            text = std::wstring(data);
            GlobalUnlock(memory);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace mr::test
