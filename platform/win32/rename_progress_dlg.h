#pragma once
// The Windows mover: every rename of the list in one shell file operation, which shows
// its own progress, questions and errors and can be undone from the shell.
//
// A change of case only is not handed to the shell: under Wine the shell reports it
// done and does nothing, and a folder whose new name differs only in case is taken as
// an existing target folder. Such renames cannot free or take a name another rename
// needs, so they are done right after the operation, each through a unique temporary
// name with MoveFileW, at the path its folder has by then, and the stored spelling is
// checked with FindFirstFileW. They are not part of the shell's undo.
#include "platform/mover.h"

namespace mr {

class RenameProgressDlg final : public Mover {
public:
    void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) override;
};

} // namespace mr
