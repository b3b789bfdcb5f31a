#pragma once
// The DPI of the dialog's window, shared by everything that sizes itself in DIP.
#include "ui/model/dpi_math.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace mr {

class ScreenDpi {
public:
    class ScreenDpiWatcher {
    public:
        virtual ~ScreenDpiWatcher() = default;
        virtual void onDpiChanged(uint32_t oldDpi, uint32_t newDpi) = 0;
    };

    ScreenDpi() = default;
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

    uint32_t dpi() const { return dpi_; }
    int32_t toPixels(int32_t dips) const { return mr::toPixels(dips, dpi_); }
    int32_t toDips(int32_t pixels) const { return mr::toDips(pixels, dpi_); }

    // Re-reads the window's DPI; watchers hear of a change in registration order.
    void updateFromWindow(HWND window);
    // Takes a newly read DPI and tells the watchers when it differs.
    void applyDpi(uint32_t dpi);

    void addWatcher(ScreenDpiWatcher* watcher);
    void removeWatcher(ScreenDpiWatcher* watcher);

private:
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

    void initialise();

    uint32_t dpi_ = kDefaultDpi;
    std::vector<ScreenDpiWatcher*> watchers_;
    bool initialised_ = false;
    HMODULE user32_ = nullptr;
    GetDpiForWindowFn getDpiForWindow_ = nullptr;
};

} // namespace mr
