#include "ui/win32/size_grip.h"

#include "ui/win32/framework/module_state.h"

#include <utility>

namespace mr {

SizeGrip::SizeGrip(std::shared_ptr<ScreenDpi> dpi) : dpi_(std::move(dpi)) {}

SizeGrip::~SizeGrip() {
    // The grip normally dies with the dialog; if not, it must not call back into us.
    if (grip_ && IsWindow(grip_)) {
        if (previousProc_)
            SetWindowLongPtrW(grip_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc_));
        SetWindowLongPtrW(grip_, GWLP_USERDATA, 0);
    }
}

void SizeGrip::create(HWND dialog) {
    dialog_ = dialog;
    grip_ = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_CLIPSIBLINGS | SBS_SIZEGRIP, 0,
                            0, dpi_->toPixels(GetSystemMetrics(SM_CXVSCROLL)),
                            dpi_->toPixels(GetSystemMetrics(SM_CYHSCROLL)), dialog, nullptr,
                            ModuleState::moduleInstance(), nullptr);
    if (!grip_)
        return;
    SetWindowLongPtrW(grip_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(grip_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SizeGrip::gripProc)));
    place();
    ShowWindow(grip_, SW_SHOW);
}

void SizeGrip::place() const {
    if (!grip_ || !dialog_)
        return;
    RECT client = {};
    GetClientRect(dialog_, &client);
    SetWindowPos(grip_, HWND_TOP, client.right - dpi_->toPixels(GetSystemMetrics(SM_CXVSCROLL)),
                 client.bottom - dpi_->toPixels(GetSystemMetrics(SM_CYHSCROLL)), 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    const bool maximised = IsZoomed(dialog_) != FALSE;
    EnableWindow(grip_, !maximised);
    ShowWindow(grip_, maximised ? SW_HIDE : SW_SHOW);
}

LRESULT CALLBACK SizeGrip::gripProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SizeGrip*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    WNDPROC previous = self ? self->previousProc_ : nullptr;
    switch (message) {
    case WM_NCHITTEST:
        return HTBOTTOMRIGHT; // dragging the grip sizes the dialog's corner
    case WM_DESTROY:
        if (self && previous) {
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            self->previousProc_ = nullptr;
        }
        break;
    default:
        break;
    }
    return previous ? CallWindowProcW(previous, hwnd, message, wParam, lParam) : 0;
}

} // namespace mr
