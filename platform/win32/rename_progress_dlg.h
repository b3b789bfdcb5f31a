#pragma once
// The Windows mover. Before the first move the last guard (move_guard.h) checks every
// target on a fresh listing; anything refused stops the whole operation, nothing moved.
//
// On Windows every rename of the list goes to one shell file operation, which shows its
// own progress, questions and errors and can be undone from the shell. A change of case
// only is not handed to the shell: under Wine the shell reports it done and does
// nothing, and a folder whose new name differs only in case is taken as an existing
// target folder. Such renames cannot free or take a name another rename needs, so they
// are done right after the operation, each through a unique temporary name, at the path
// its folder has by then. They are not part of the shell's undo.
//
// Under Wine the shell's operation brings no undo and costs several look-ups of the
// whole folder per file (docs/wine-renaming.md), so the module moves the files itself,
// in the same order, with a progress window of its own (own_moves.h).
//
// With an owner window, a refusal and the moves that failed are reported in one message
// at the end; without one (the command line) the caller reads failures().
#include "rename/records.h"
#include "seams/mover.h"

namespace mr {

enum class MoveRoute { Automatic, Shell, OneByOne };

struct MoverOptions {
    MoveRoute route = MoveRoute::Automatic; // the shell on Windows, one by one under Wine
    unsigned progressAfterMs = 500;         // the progress window shows after this long
};

class RenameProgressDlg final : public Mover {
public:
    explicit RenameProgressDlg(MoverOptions options = {}) : options_(options) {}
    void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) override;
    // True when the user stopped the module's own moves before the end of the list.
    bool cancelled() const { return cancelled_; }

private:
    void renameWithShell(void* owner, const std::vector<FileRecord*>& files);
    void renameWithOwnMoves(void* owner, const std::vector<FileRecord*>& files, bool underWine);

    MoverOptions options_;
    bool cancelled_ = false;
};

} // namespace mr
