#pragma once
// The one rename call of the mover and of undo: never over an existing name.
#include <string>

namespace mr {

// 0 or the error. Falls back to a check before the rename where the file system has
// no RENAME_NOREPLACE; that leaves a small window that renameat2 does not have.
int moveNoReplace(int fromDir, const char* from, int toDir, const char* to);

// Why a move failed, for a person.
std::u16string moveErrorText(int error);

} // namespace mr
