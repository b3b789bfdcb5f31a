#pragma once
// A view that remembers what the model asked of it.
#include "ui/model/change_text_view.h"

#include <vector>

namespace mr::test {

class RecordingView final : public ChangeTextView {
public:
    struct Message {
        uint32_t id;
    };
    std::vector<Message> messages;
    std::optional<std::u16string> clipboard = std::u16string();
    bool clipboardOpens = true;
    void fieldsRebuilt() override {}
    void editingEnabledChanged() override {}
    void namesRefreshed() override {}
    void rowsRemoved() override {}
    void showMessage(uint32_t id, std::u16string_view, MessageIcon) override {
        messages.push_back({id});
    }
    bool putClipboardText(std::u16string_view text) override {
        if (clipboardOpens)
            clipboard = std::u16string(text);
        return clipboardOpens;
    }
    std::optional<std::u16string> clipboardText() override {
        return clipboardOpens ? clipboard : std::nullopt;
    }
};

} // namespace mr::test
