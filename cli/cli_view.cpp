#include "cli/cli_view.h"

namespace mr::cli {

void CliView::showMessage(uint32_t id, std::u16string_view text, MessageIcon icon) {
    messages.push_back({id, std::u16string(text), icon});
    if (onMessage)
        onMessage(messages.back());
}

bool CliView::putClipboardText(std::u16string_view text) {
    // Emptying the clipboard and then handing over no text leaves it without text.
    clipboard.reset();
    if (!text.empty())
        clipboard = std::u16string(text);
    return true;
}

std::optional<std::u16string> CliView::clipboardText() {
    return clipboard.value_or(std::u16string());
}

} // namespace mr::cli
