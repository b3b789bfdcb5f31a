#pragma once
// The mover that carries out one rename list: the shell's file operation on Windows,
// renameat2 with a journal on POSIX, a recorder in tests. It names the records only
// by pointer, so the seam needs no more than their declaration.
#include <vector>

namespace mr {

struct FileRecord;

// An owner window (HWND on Windows) passed through the engine without its type.
using OwnerWindow = void*;

class RenameProgress {
public:
    virtual ~RenameProgress() = default;
    // True when the renaming is to stop.
    virtual bool isCancelled() = 0;
    // Renames the files in list order, each to its newName in its own folder.
    virtual void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) = 0;
};

} // namespace mr
