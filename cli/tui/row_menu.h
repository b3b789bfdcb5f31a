#pragma once
// The names list's menu in the terminal: its items with "(s)" fitted to the selection,
// picked with the arrows and Enter or with the underlined letter.
#include "cli/tui/screen.h"
#include "ui/model/change_text_model.h"

#include <optional>

namespace mr::cli::tui {

enum class MenuCommand {
    CopyNames,
    PasteNames,
    ResetNames,
    RemoveFiles,
    SelectAll,
    InvertSelection
};

// Opens the menu at line y (or above it when there is no room below); nothing when it
// is closed with Esc.
std::optional<MenuCommand> rowMenu(Screen& screen, const Backdrop& backdrop,
                                   const ChangeTextModel& model, int y);

} // namespace mr::cli::tui
