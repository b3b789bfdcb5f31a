#pragma once
// One run of the dialog's events over the model, as the dialog would receive them.
#include "cli/actions.h"
#include "cli/cli_view.h"
#include "cli/movers.h"
#include "cli/names_editor.h"
#include "cli/terminal_text.h"
#include "settings/registry.h"
#include "ui/model/change_text_model.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mr::cli {

// Runs the dialog's events over the model, as the dialog would receive them.
class Session {
public:
    Session(ChangeTextModel& model, CliView& view, const Registry& settings, bool json)
        : model_(model), view_(view), settings_(settings), json_(json) {}

    // An empty text, or why the dialog could not receive the action.
    std::string run(const Action& a);

    RecordingMover mover;
    const char* closed = nullptr;
    bool refused = false;       // the last "Rename" showed the problems
    bool pasteRefused = false;  // a paste was refused: the run stops there
    bool editUnchanged = false; // --edit left the names as they were: the run cancels
    std::vector<std::string> snapshots;
    HumanStyle style;
    // --edit: the copied names in, the edited text out.
    std::function<EditedNames(std::u16string_view)> editor;

private:
    std::string check(const Action& a);
    std::string fieldIndex(const Action& a);
    std::string changeNumber(const Action& a, PatternToken& token);
    std::string changeWild(const Action& a, PatternToken& token);
    void paste(bool selectedOnly, const std::optional<std::u16string>& text);
    std::string editNames();

    ChangeTextModel& model_;
    CliView& view_;
    const Registry& settings_;
    bool json_;
};

} // namespace mr::cli
