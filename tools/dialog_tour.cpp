// A short tour of the Multi Rename dialog for the demo: opens it over the given files
// like a host, types a new text, pastes renumbered names, shows the list's menu,
// renames, and saves a picture of the screen after each step.
// Usage: dialog_tour SHOT_DIR PATH...
#include "multirename.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kFieldEdit = 1500;
constexpr int kNamesList = 1503;
constexpr int kPasteNames = 1505;

std::wstring shotDir;

HWND findWindow(const wchar_t* cls, const wchar_t* title) {
    for (int i = 0; i < 1500; ++i) {
        if (HWND w = FindWindowW(cls, title); w && IsWindowVisible(w))
            return w;
        Sleep(20);
    }
    return nullptr;
}

// The whole screen as a 24-bit bottom-up BMP file.
void shoot(const wchar_t* name) {
    Sleep(700); // the windows finish painting
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, cx, cy, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((static_cast<DWORD>(cx) * 3 + 3) & ~3u);
    const DWORD size = stride * static_cast<DWORD>(cy);
    BITMAPFILEHEADER file = {
        0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0,
        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    std::ofstream out(std::filesystem::path(shotDir) / (std::wstring(name) + L".bmp"),
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

void setClipboard(const std::wstring& text) {
    if (!OpenClipboard(nullptr))
        return;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

void tour() {
    HWND dialog = findWindow(nullptr, L"Multi Rename");
    if (!dialog)
        return;
    HWND list = GetDlgItem(dialog, kNamesList);
    shoot(L"1-opened");

    // Typing over the first text piece renames every file at once.
    if (HWND edit = GetDlgItem(dialog, kFieldEdit)) {
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Lisbon "));
        shoot(L"2-typed");
    }

    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::wstring names;
    for (int i = 1; i <= rows; ++i)
        names += L"Lisbon " + std::wstring(i < 10 ? L"0" : L"") + std::to_wstring(i) + L"\r\n";
    setClipboard(names);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kPasteNames, BN_CLICKED), 0);
    shoot(L"3-renumbered");

    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
    if (HWND menu = findWindow(L"#32768", nullptr)) {
        shoot(L"4-menu");
        PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        for (int i = 0; i < 250 && IsWindowVisible(menu); ++i)
            Sleep(20);
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fwprintf(stderr, L"usage: dialog_tour SHOT_DIR PATH...\n");
        return 2;
    }
    shotDir = argv[1];
    std::vector<const wchar_t*> paths(argv + 2, argv + argc);
    HMODULE module = LoadLibraryW(L"multirename.dll");
    const auto run = module ? reinterpret_cast<run_multirename_fn>(reinterpret_cast<void (*)()>(
                                  GetProcAddress(module, "run_multirename")))
                            : nullptr;
    if (!run) {
        std::fwprintf(stderr, L"dialog_tour: cannot load multirename.dll\n");
        return 1;
    }
    std::thread driver(tour);
    run(nullptr, static_cast<int>(paths.size()), paths.data(), false, nullptr);
    driver.join();
    return 0;
}
