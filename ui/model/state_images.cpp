#include "ui/model/state_images.h"

namespace mr {

int stateImageForStatus(FileStatus status) {
    switch (status) {
    case FileStatus::Good:
        return 1; // green check mark
    case FileStatus::Unchanged:
        return 2; // green equals sign
    case FileStatus::Pending:
        return 3; // grey dot
    case FileStatus::Empty:
        return 4; // red outlined triangle
    case FileStatus::Duplicate:
        return 5; // red triangle with an equals sign
    case FileStatus::Exists:
        return 6; // blue triangle with an equals sign
    case FileStatus::SpaceOrPeriod:
    case FileStatus::TooLong:
    case FileStatus::InvalidChars:
        return 7; // red triangle with an exclamation mark
    }
    return 3; // a value no validation produces: shown as still pending
}

} // namespace mr
