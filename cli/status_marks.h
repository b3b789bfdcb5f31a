#pragma once
// The mark a row of names gets for its status, its colour and a short note: the same in
// the table of the command line and in the terminal dialog's list.
#include "rename/records.h"

#include <string>
#include <vector>

namespace mr::cli {

enum class Tone { Plain, Dim, Green, Red, Yellow, Cyan };

struct StatusMark {
    const char* symbol;
    Tone tone;
    const char* note; // "" when the mark says it all
};

StatusMark statusMark(const FileRecord& f);

// The new name is shown dimmed: it stays as it is.
inline bool keepsItsName(const FileRecord& f) {
    return f.status == FileStatus::Unchanged || !f.takesPart;
}

// "1 file", "2 files".
std::string plural(size_t n, const char* one, const char* many);

// The line under the names, in pieces with their tones:
// "3 files: 2 to rename, 1 unchanged, 1 problem".
struct SummaryPiece {
    std::string text;
    Tone tone;
};
std::vector<SummaryPiece> summaryLine(const std::vector<FileRecord*>& rows);

} // namespace mr::cli
