#pragma once
// Movers of the command line. Every "Rename" first goes to a recorder; the files are
// moved only once the whole run has been accepted, so that a faulty action later in
// a script never leaves a half-done rename behind.
#include "seams/rename_progress.h"

#include <string>
#include <vector>

namespace mr::cli {

struct RenamePair {
    std::u16string from;
    std::u16string to;
};

class RecordingMover final : public RenameProgress {
public:
    bool called = false;
    std::vector<FileRecord*> files;

    bool isCancelled() override { return false; }
    void renameFiles(OwnerWindow, const std::vector<FileRecord*>& list) override {
        called = true;
        files = list;
    }
    // Full paths, as the mover gets them.
    std::vector<RenamePair> pairs() const;
};

} // namespace mr::cli
