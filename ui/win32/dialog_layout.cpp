#include "ui/win32/dialog_layout.h"

#include "ui/win32/size_store.h"

#include <utility>

namespace mr {
namespace {

PixelRect toPixelRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

DialogLayout::DialogLayout(std::u16string productName) : productName_(std::move(productName)) {}

void DialogLayout::attach(HWND dialog, std::shared_ptr<ScreenDpi> dpi) {
    dialog_ = dialog;
    dpi_ = std::move(dpi);
}

void DialogLayout::addAnchor(int controlId, AnchorMode horizontal, AnchorMode vertical,
                             POINT reference) {
    HWND control = GetDlgItem(dialog_, controlId);
    if (!control || !dpi_)
        return;
    RECT rect = {};
    GetWindowRect(control, &rect);
    anchors_.push_back(makeAnchor(controlId, horizontal, vertical, reference.x, reference.y,
                                  toPixelRect(rect), dpi_->dpi()));
}

void DialogLayout::applyAnchors(int cx, int cy) const {
    if (!dpi_)
        return;
    bool moved = false;
    for (const LayoutAnchor& anchor : anchors_) {
        HWND control = GetDlgItem(dialog_, anchor.controlId);
        if (!control)
            continue;
        RECT rect = {};
        GetWindowRect(control, &rect);
        MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&rect), 2);
        PixelRect pixels = toPixelRect(rect);
        if (applyAnchor(anchor, pixels, cx, cy, dpi_->dpi())) {
            MoveWindow(control, pixels.left, pixels.top, pixels.width(), pixels.height(), FALSE);
            moved = true;
        }
    }
    // Moved without repainting: one repaint of the whole dialog avoids trails.
    if (moved)
        InvalidateRect(dialog_, nullptr, TRUE);
}

void DialogLayout::restoreSize() const {
    if (!dialog_ || !dpi_)
        return;
    auto store = openSizeStore(productName_);
    uint32_t width = 0;
    uint32_t height = 0;
    if (!store->readInt(kWidthValue, width) || !store->readInt(kHeightValue, height))
        return;
    if (width == 0 || height == 0)
        return;
    SetWindowPos(dialog_, nullptr, 0, 0, dpi_->toPixels(static_cast<int32_t>(width)),
                 dpi_->toPixels(static_cast<int32_t>(height)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW);
    RECT client = {};
    GetClientRect(dialog_, &client);
    applyAnchors(client.right, client.bottom);
}

void DialogLayout::storeSize() const {
    if (!dialog_ || !dpi_)
        return;
    RECT rect = {};
    if (!GetWindowRect(dialog_, &rect))
        return;
    auto store = openSizeStore(productName_);
    store->writeInt(kWidthValue, static_cast<uint32_t>(dpi_->toDips(rect.right - rect.left)));
    store->writeInt(kHeightValue, static_cast<uint32_t>(dpi_->toDips(rect.bottom - rect.top)));
}

} // namespace mr
