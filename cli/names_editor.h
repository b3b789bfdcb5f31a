#pragma once
// --edit: the new names into a private temporary file, the user's editor on it, and
// the edited text back.
#include <cstddef>
#include <string>
#include <string_view>

namespace mr::cli {

struct EditedNames {
    enum class Outcome { Edited, Unchanged, Failed };
    Outcome outcome = Outcome::Failed;
    std::u16string text; // Edited: the file's text
    std::string problem; // Failed: why, for a person
};

// Opens $VISUAL, else $EDITOR, else vi (through the shell, so the command may hold
// arguments) on a file of mode 0600 holding `names`, and removes the file afterwards,
// also when a signal ends the run. `terminal` is given to the editor as its input and
// output where those are not a terminal (a list read from standard input); empty:
// they stay as they are. At most `limit` bytes are read back.
EditedNames editNamesInEditor(std::u16string_view names, const std::string& terminal, size_t limit);

} // namespace mr::cli
