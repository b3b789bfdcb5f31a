#include "cli/movers.h"

#include "rename/records.h"

namespace mr::cli {

std::vector<RenamePair> RecordingMover::pairs() const {
    std::vector<RenamePair> out;
    out.reserve(files.size());
    for (const FileRecord* f : files)
        out.push_back({f->folder->path + f->name, f->folder->path + f->newName});
    return out;
}

} // namespace mr::cli
