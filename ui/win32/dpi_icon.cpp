#include "ui/win32/dpi_icon.h"

namespace mr {

DpiIcon::DpiIcon(int resourceId, std::shared_ptr<ScreenDpi> dpi)
    : resourceId_(resourceId), dpi_(std::move(dpi)) {}

DpiIcon::~DpiIcon() {
    if (icon_)
        DestroyIcon(icon_);
}

HICON DpiIcon::icon() {
    if (dpi_->dpi() != loadedDpi_) {
        if (icon_)
            DestroyIcon(icon_);
        icon_ = nullptr;
        loadedDpi_ = dpi_->dpi();
    }
    if (!icon_) {
        const int width = dpi_->toPixels(GetSystemMetrics(SM_CXSMICON));
        const int height = dpi_->toPixels(GetSystemMetrics(SM_CYSMICON));
        // The host's own icon: the module has none of its own.
        icon_ =
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId_),
                                          IMAGE_ICON, width, height, 0));
    }
    return icon_;
}

} // namespace mr
