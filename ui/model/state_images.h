#pragma once
// Which status image of the names list shows a file's validation status.
#include "rename/file_status.h"

namespace mr {

constexpr int kStateImageCount = 7;

// 1-based index into the list's state images (bitmaps 351 to 357 in that order).
int stateImageForStatus(FileStatus status);

} // namespace mr
