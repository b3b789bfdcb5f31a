#pragma once
// Puts every planned rename of a set into one list, in an order that is safe for
// nested folders and for chains inside a folder, and hands it to the mover.
#include "rename/records.h"
#include "seams/rename_progress.h"

#include <vector>

namespace mr {

// Every folder before the folders that contain it; otherwise in key order.
std::vector<FolderRecord*> executionFolderOrder(RecordSet& set);

// Builds the rename list and calls progress.renameFiles exactly once.
void executeRenames(OwnerWindow owner, RecordSet& set, RenameProgress& progress);

} // namespace mr
