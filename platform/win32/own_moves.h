#pragma once
// Moves the module makes itself, one rename after the other in list order, each
// through '\\?\' paths (see move_paths.h). Used for the whole list where the shell's
// operation brings no undo (Wine), and for the changes of case the shell leaves out.
#include "rename/records.h"
#include "seams/mover.h"

#include <functional>
#include <string>
#include <vector>

namespace mr {

// Asked before each move with the number of moves dealt with so far, and once at the
// end; false stops before the next move.
using MoveProgress = std::function<bool(size_t done)>;

// Renames files[i] to its newName in its folder, in list order, until `progress` says
// stop; a move that fails is added to `failures` and the others go on. Returns how many
// moves were dealt with (files.size() unless stopped).
size_t renameOneByOne(const std::vector<FileRecord*>& files, bool underWine,
                      const MoveProgress& progress, std::vector<RenameFailure>& failures);

// Changes `name` in `folder` (a '\\?\' prefix) to `newName`, which differs only in case,
// through the unique temporary name `temp`: a move onto a name the folder takes as the
// same one does nothing. Empty when done, else the reason; the file then keeps its name.
std::u16string changeCase(const std::wstring& folder, const std::wstring& name,
                          const std::wstring& newName, const std::wstring& temp);

// The temporary name for the i-th change of case of this process.
std::wstring temporaryName(size_t i);

// The system's text for a Win32 error code.
std::u16string systemErrorText(unsigned long error);

} // namespace mr
