#include "tour_support.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace mr::tour {

run_multirename_fn loadModule(const wchar_t* program) {
    HMODULE module = LoadLibraryW(L"multirename.dll");
    const auto run = module ? reinterpret_cast<run_multirename_fn>(reinterpret_cast<void (*)()>(
                                  GetProcAddress(module, "run_multirename")))
                            : nullptr;
    if (!run)
        std::fwprintf(stderr, L"%ls: cannot load multirename.dll\n", program);
    return run;
}

HWND waitForWindow(const wchar_t* cls, const wchar_t* title) {
    for (int i = 0; i < 1500; ++i) {
        if (HWND w = FindWindowW(cls, title); w && IsWindowVisible(w))
            return w;
        Sleep(20);
    }
    return nullptr;
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

// A 24-bit bottom-up BMP file.
void shoot(const std::wstring& dir, const wchar_t* name) {
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
    std::ofstream out(std::filesystem::path(dir) / (std::wstring(name) + L".bmp"),
                      std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), size);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

} // namespace mr::tour
