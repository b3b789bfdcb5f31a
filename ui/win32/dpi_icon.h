#pragma once
// The dialog's small window icon, reloaded at the size the current DPI asks for.
#include "ui/win32/screen_dpi.h"

#include <memory>

namespace mr {

class DpiIcon {
public:
    DpiIcon(int resourceId, std::shared_ptr<ScreenDpi> dpi);
    ~DpiIcon();
    DpiIcon(const DpiIcon&) = delete;
    DpiIcon& operator=(const DpiIcon&) = delete;

    // The icon for the current DPI, from the host executable; null when it has none.
    HICON icon();

private:
    int resourceId_;
    std::shared_ptr<ScreenDpi> dpi_;
    HICON icon_ = nullptr;
    uint32_t loadedDpi_ = 0;
};

} // namespace mr
