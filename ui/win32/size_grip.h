#pragma once
// The grip in the dialog's bottom-right corner that sizes the window when dragged.
#include "ui/win32/screen_dpi.h"

#include <memory>

namespace mr {

class SizeGrip {
public:
    explicit SizeGrip(std::shared_ptr<ScreenDpi> dpi);
    ~SizeGrip();
    SizeGrip(const SizeGrip&) = delete;
    SizeGrip& operator=(const SizeGrip&) = delete;

    void create(HWND dialog);
    // Bottom-right of the client area; hidden while the dialog is maximised.
    void place() const;
    HWND window() const { return grip_; }

private:
    static LRESULT CALLBACK gripProc(HWND, UINT, WPARAM, LPARAM);

    std::shared_ptr<ScreenDpi> dpi_;
    HWND dialog_ = nullptr;
    HWND grip_ = nullptr;
    WNDPROC previousProc_ = nullptr;
};

} // namespace mr
