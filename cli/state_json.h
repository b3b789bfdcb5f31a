#pragma once
// The dialog's state as the JSON document of --json shows it.
#include "cli/cli_view.h"
#include "cli/json_text.h"
#include "cli/movers.h"
#include "ui/model/change_text_model.h"

#include <optional>
#include <string>
#include <vector>

namespace mr::cli {

// STATE: the check boxes, the four variants, the field row, the rows and the summary.
void writeState(JsonWriter& w, ChangeTextModel& model);

// A STATE as text, ready to stand at a depth of the document: 1 for "state", 2 for
// an element of "snapshots".
std::string stateText(ChangeTextModel& model, size_t indent);

struct Document {
    std::vector<std::string> snapshots;
    const std::vector<ShownMessage>* messages = nullptr;
    std::optional<std::u16string> clipboard;
    const char* closed = nullptr; // "ok", "cancel", or null
    std::optional<std::vector<RenamePair>> renames;
};

// The whole document, with the model's state as it stands, onto the stream.
void writeDocument(std::ostream& out, const Document& doc, ChangeTextModel& model);

} // namespace mr::cli
