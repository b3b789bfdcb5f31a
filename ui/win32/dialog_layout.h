#pragma once
// Keeps chosen controls at their distance to the dialog's right and bottom edges, and
// the dialog's size from one opening to the next.
#include "ui/model/dpi_math.h"
#include "ui/win32/screen_dpi.h"

#include <memory>
#include <string>
#include <vector>

namespace mr {

class DialogLayout {
public:
    explicit DialogLayout(std::u16string productName);

    void attach(HWND dialog, std::shared_ptr<ScreenDpi> dpi);
    // reference: the dialog's outer window rectangle's right and bottom, on screen.
    void addAnchor(int controlId, AnchorMode horizontal, AnchorMode vertical, POINT reference);
    void applyAnchors(int cx, int cy) const;
    // Resizes the dialog to the stored size (applying the anchors), if both values exist.
    void restoreSize() const;
    void storeSize() const;

    const std::vector<LayoutAnchor>& anchors() const { return anchors_; }

    static constexpr char16_t kWidthValue[] = u"MultiRenameDlg"
                                              u"Width";
    static constexpr char16_t kHeightValue[] = u"MultiRenameDlg"
                                               u"Height";

private:
    std::u16string productName_;
    HWND dialog_ = nullptr;
    std::shared_ptr<ScreenDpi> dpi_;
    std::vector<LayoutAnchor> anchors_;
};

} // namespace mr
