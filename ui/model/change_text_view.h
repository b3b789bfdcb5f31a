#pragma once
// What the Multi Rename dialog's logic asks of whatever shows it: the Windows dialog
// turns these into window calls, the command line into its own state and output.
#include "rename/validation.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mr {

class ChangeTextView {
public:
    virtual ~ChangeTextView() = default;
    // The field row must be built anew from the model's fields (variant switch, Reset).
    virtual void fieldsRebuilt() {}
    // Field controls and check boxes change their enabled state.
    virtual void editingEnabledChanged() {}
    // New names and statuses changed: set every row's state image and repaint.
    virtual void namesRefreshed() {}
    // Rows left the list (their records are hidden now).
    virtual void rowsRemoved() {}
    // A modal message box with the module's title; `id` is its string-table number.
    virtual void showMessage(uint32_t id, std::u16string_view text, MessageIcon icon) = 0;
    // Empties the clipboard and, when text is not empty, puts it there. False when the
    // clipboard cannot be opened or the text cannot be handed over.
    virtual bool putClipboardText(std::u16string_view text) = 0;
    // The clipboard's text (empty when it holds none), or nothing when it cannot be opened.
    virtual std::optional<std::u16string> clipboardText() = 0;
};

} // namespace mr
