#pragma once
// The human view: the pattern with its numbered fields, the check boxes and a table of
// old and new names with a mark per status.
#include "cli/terminal_text.h"
#include "ui/model/change_text_model.h"

#include <cstddef>
#include <iosfwd>
#include <string>

namespace mr::cli {

std::string humanState(ChangeTextModel& model, const HumanStyle& style);
// The same written to a stream a block at a time.
void writeHumanState(std::ostream& os, ChangeTextModel& model, const HumanStyle& style);

struct HumanOutcome {
    const char* closed = nullptr; // "ok", "cancel" or null
    bool refused = false;         // the last "Rename" showed the problems
    size_t renamed = 0;           // files handed to the mover
    bool dryRun = true;           // nothing on disk was to change
    bool records = false;         // the names came from --records: nothing moves
    bool problems = false;        // some new names have problems
    size_t failed = 0;            // files the mover could not rename
    std::string journal;          // where --undo finds the old names
};

std::string humanOutcome(const HumanOutcome& outcome, const HumanStyle& style);

} // namespace mr::cli
