#include "rename/execution.h"

namespace mr {

// Keys end with the separator and a containing folder's key sorts right before the
// block of keys inside it, so emitting each folder once the walk leaves its block
// puts every folder before the folders containing it: the same order as inserting
// each folder before the first folder of the list that contains it.
std::vector<FolderRecord*> executionFolderOrder(RecordSet& set) {
    std::vector<FolderRecord*> order, open;
    order.reserve(set.folders.size());
    for (auto& [key, folder] : set.folders) {
        while (!open.empty() && !key.starts_with(open.back()->pathKey)) {
            order.push_back(open.back());
            open.pop_back();
        }
        open.push_back(folder.get());
    }
    while (!open.empty()) {
        order.push_back(open.back());
        open.pop_back();
    }
    return order;
}

void executeRenames(OwnerWindow owner, RecordSet& set, RenameProgress& progress) {
    std::vector<FileRecord*> list;
    [&] {
        if (progress.isCancelled())
            return;
        for (FolderRecord* folder : executionFolderOrder(set)) {
            if (progress.isCancelled())
                return;
            for (FileRecord* file : folder->renameOrder) {
                if (file->newName != file->name)
                    list.push_back(file);
                if (progress.isCancelled())
                    return;
            }
            if (progress.isCancelled())
                return;
        }
    }();
    progress.renameFiles(owner, list);
}

} // namespace mr
