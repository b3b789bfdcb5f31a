#pragma once
// The Windows mover's last guard, run on a fresh listing of every folder before the
// first move: validation has seen the folders as they were when the dialog opened, and
// counts names by its own key fold; the folder itself is what takes the new names.
//
// A move is refused when its source is not the very file the list showed: no entry of
// that exact name now, another file under it (its file id differs), or more than one
// entry that Windows shows under it (Linux names whose bytes are not UTF-8 all show as
// U+FFFD, and no Windows path tells them apart). Its target is refused when it holds a
// NUL, when the file system compares it as equal (CompareStringOrdinal, ignoring case)
// to another target of the same folder, when an entry of that name exists and is not
// moved away earlier in the list, and under Wine when the Linux file system cannot take
// it (more than 255 bytes). Anything refused stops the whole operation before anything
// moves.
#include "rename/records.h"
#include "seams/mover.h"

#include <string_view>
#include <vector>

namespace mr {

// CompareStringOrdinal ignoring case: how a Windows file system compares two names
// (CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN).
int compareAsFileSystem(std::u16string_view a, std::u16string_view b);

// The refused moves in list order, each with its reason; empty when all may go.
std::vector<RenameFailure> refusedMoves(const std::vector<FileRecord*>& files);

} // namespace mr
