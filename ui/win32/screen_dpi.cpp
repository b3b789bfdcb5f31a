#include "ui/win32/screen_dpi.h"

#include <algorithm>

namespace mr {

ScreenDpi::~ScreenDpi() {
    if (user32_)
        FreeLibrary(user32_);
}

void ScreenDpi::initialise() {
    initialised_ = true;
    // Looked up at run time: older systems have no per-window DPI.
    user32_ = LoadLibraryW(L"User32.dll");
    if (user32_) {
        const FARPROC proc = GetProcAddress(user32_, "GetDpiForWindow");
        if (proc) {
            getDpiForWindow_ =
                reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(proc));
        } else {
            FreeLibrary(user32_);
            user32_ = nullptr;
        }
    }
    if (!getDpiForWindow_) {
        HDC screen = GetDC(nullptr);
        if (screen) {
            const int logPixels = GetDeviceCaps(screen, LOGPIXELSY);
            if (logPixels > 0)
                dpi_ = static_cast<uint32_t>(logPixels);
            ReleaseDC(nullptr, screen);
        }
    }
}

void ScreenDpi::updateFromWindow(HWND window) {
    if (!initialised_)
        initialise();
    if (getDpiForWindow_) {
        const UINT dpi = getDpiForWindow_(window);
        if (dpi > 0) // 0 for a window that is gone
            applyDpi(dpi);
    }
}

void ScreenDpi::applyDpi(uint32_t dpi) {
    if (dpi == dpi_)
        return;
    const uint32_t old = dpi_;
    dpi_ = dpi;
    // A watcher may unregister while it is told.
    const std::vector<ScreenDpiWatcher*> watchers = watchers_;
    for (ScreenDpiWatcher* watcher : watchers)
        watcher->onDpiChanged(old, dpi);
}

void ScreenDpi::addWatcher(ScreenDpiWatcher* watcher) {
    watchers_.push_back(watcher);
}

void ScreenDpi::removeWatcher(ScreenDpiWatcher* watcher) {
    const auto it = std::find(watchers_.begin(), watchers_.end(), watcher);
    if (it != watchers_.end())
        watchers_.erase(it);
}

} // namespace mr
