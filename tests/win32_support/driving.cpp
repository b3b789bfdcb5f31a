#include "win32_support/driving.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace mr::test {
namespace {

std::wstring className(HWND window) {
    wchar_t buffer[256] = {};
    GetClassNameW(window, buffer, 256);
    return buffer;
}

bool waitUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 1500; ++i, Sleep(20))
        if (done())
            return true;
    return false;
}

HWND visibleWindow(const std::wstring& title) {
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, title.c_str()));) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

} // namespace

std::wstring windowText(HWND window) {
    std::wstring buffer(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    buffer.resize(static_cast<size_t>(
        GetWindowTextW(window, buffer.data(), static_cast<int>(buffer.size()))));
    return buffer;
}

RECT rectInParent(HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string outsideClient(HWND dialog) {
    RECT client = {};
    GetClientRect(dialog, &client);
    std::string problems;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const RECT r = rectInParent(child);
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) &&
            className(child) != L"ScrollBar" &&
            (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom))
            problems += std::to_string(GetDlgCtrlID(child)) + " ";
    }
    return problems;
}

std::vector<HWND> controlsWithId(HWND dialog, int id, int other) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) == id || (other && GetDlgCtrlID(child) == other))
            found.push_back(child);
    std::stable_sort(found.begin(), found.end(),
                     [](HWND a, HWND b) { return rectInParent(a).left < rectInParent(b).left; });
    return found;
}

HWND waitForWindow(const std::wstring& title) {
    HWND found = nullptr;
    waitUntil([&] { return (found = visibleWindow(title)) != nullptr; });
    return found;
}

bool waitUntilClosed(HWND window) {
    return waitUntil([&] { return !IsWindow(window); });
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

Picture clientPicture(HWND window) {
    UpdateWindow(window);
    RECT client = {};
    GetClientRect(window, &client);
    Picture picture;
    picture.width = client.right;
    picture.height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), picture.width, -picture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    // The section holds 0x00RRGGBB; COLORREF is 0x00BBGGRR.
    const auto* raw = static_cast<const DWORD*>(bits);
    for (int i = 0; bits && i < picture.width * picture.height; ++i)
        picture.pixels.push_back(RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return picture;
}

std::wstring answerMessage() {
    HWND box = waitForWindow(L"Nombrels - Multi Rename");
    if (!box)
        return L"";
    std::wstring text;
    // Wine may show the box a moment before its text is in place.
    waitUntil([&] {
        for (HWND child = GetWindow(box, GW_CHILD); child && text.empty();
             child = GetWindow(child, GW_HWNDNEXT))
            if (className(child) == L"Static" &&
                (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
                text = windowText(child);
        return !text.empty();
    });
    clickButton(box, IDOK);
    waitUntilClosed(box);
    return text;
}

std::optional<DWORD> storedDword(const std::wstring& key, const wchar_t* name) {
    DWORD value = 0, bytes = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

void storeDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof(DWORD));
}

} // namespace mr::test
