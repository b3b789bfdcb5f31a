#pragma once
#include <cstdint>

namespace mr {

// The per-file verdict of validation.
enum class FileStatus : uint32_t {
    Pending = 0,      // takes part, no problem found yet (during validation only)
    Good = 2,         // does not take part, or is planned for renaming
    Unchanged = 3,    // the new name equals the old name exactly
    Duplicate = 4,    // another file of the folder gets the same name
    Exists = 5,       // held by an entry that keeps its name, or part of a ring
    Empty = 6,        // the new name is empty
    SpaceOrPeriod = 7, // begins with a space, or ends with a space or a period
    TooLong = 8,      // longer than 255 characters
    InvalidChars = 9, // the pattern's text holds a character names may not contain
};

} // namespace mr
