#pragma once
// A view that remembers what the model asked of it.
#include "ui/model/change_text_view.h"

#include <vector>

namespace mr::test {

class RecordingView final : public ChangeTextView {
public:
    struct Message {
        uint32_t id;
        std::u16string text;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    std::optional<std::u16string> clipboard = std::u16string();
    bool clipboardOpens = true;
    void fieldsRebuilt() override {}
    void editingEnabledChanged() override {}
    void namesRefreshed() override {}
    void rowsRemoved() override {}
    void showMessage(uint32_t id, std::u16string_view text, MessageIcon icon) override {
        messages.push_back({id, std::u16string(text), icon});
    }
    bool putClipboardText(std::u16string_view text) override {
        if (!clipboardOpens)
            return false;
        clipboard = std::u16string(text);
        return true;
    }
    std::optional<std::u16string> clipboardText() override {
        if (!clipboardOpens)
            return std::nullopt;
        return clipboard;
    }
};

} // namespace mr::test
