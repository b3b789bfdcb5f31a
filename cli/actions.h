#pragma once
// The dialog's events as the command line gives them: from the simple options and
// from a --script file, in the order they are to happen.
#include "ui/model/change_text_model.h"
#include "ui/model/field_dialogs.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr::cli {

enum class ActionKind {
    Check,
    SetText,
    ChangeNumber,
    ChangeWild,
    Select,
    SelectAll,
    InvertSelection,
    CopyNames,
    PasteNames,
    ResetNames,
    RemoveFiles,
    Reset,
    Rename,
    Cancel,
    Snapshot,
    EditNames, // --edit: the names through an editor, then "Paste Names"; no script action
};

struct Action {
    ActionKind kind = ActionKind::Snapshot;
    std::string label; // names the action in messages: `action 3 ("setText")`, `--text 1=x`

    CheckBox box = CheckBox::AllowExtensionChanges; // check
    bool checked = false;                           // check
    uint64_t field = 0;                             // setText, changeNumber, changeWild
    std::u16string text;                            // setText
    std::optional<std::u16string> clipboard;        // pasteNames: the clipboard's new text
    bool selectedOnly = false;                      // copyNames, pasteNames
    std::vector<uint64_t> rows;                     // select

    // changeNumber: the controls to set, in this order; left out ones stay as opened.
    std::optional<ChangeNumberModel::Number> number;
    std::optional<std::u16string> start;
    std::optional<ChangeNumberModel::Zeros> zeros;
    std::optional<std::u16string> digits;

    // changeWild, likewise.
    std::optional<bool> truncate;
    std::optional<std::u16string> length;
    std::optional<CaseMode> caseMode;
};

// The actions of a --script document. On a problem: nothing, and a message naming
// the action and what is wrong with it.
std::optional<std::vector<Action>> readScript(std::string_view jsonText, std::string& error);

// The comma-separated words of --number and --wild as the controls of the field dialog.
bool parseNumberSpec(std::string_view words, Action& action, std::string& error);
bool parseWildSpec(std::string_view words, Action& action, std::string& error);

} // namespace mr::cli
