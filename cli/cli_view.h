#pragma once
// The dialog's view without a window: message boxes are answered OK at once and kept,
// and the clipboard is a text held here.
#include "ui/model/change_text_view.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mr::cli {

struct ShownMessage {
    uint32_t id = 0;
    std::u16string text;
    MessageIcon icon = MessageIcon::Exclamation;
};

class CliView final : public ChangeTextView {
public:
    std::vector<ShownMessage> messages;
    std::optional<std::u16string> clipboard; // nothing: it holds no text
    // Told of each message as it is shown (the command line prints some at once).
    std::function<void(const ShownMessage&)> onMessage;

    void showMessage(uint32_t id, std::u16string_view text, MessageIcon icon) override;
    bool putClipboardText(std::u16string_view text) override;
    std::optional<std::u16string> clipboardText() override;
};

} // namespace mr::cli
