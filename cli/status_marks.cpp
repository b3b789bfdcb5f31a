#include "cli/status_marks.h"

namespace mr::cli {

StatusMark statusMark(const FileRecord& f) {
    switch (f.status) {
    case FileStatus::Good:
        if (!f.takesPart)
            return {"·", Tone::Dim, "does not fit the pattern; keeps its name"};
        return {"✓", Tone::Green, ""};
    case FileStatus::Unchanged:
        return {"=", Tone::Dim, ""};
    case FileStatus::Duplicate:
        return {"✗", Tone::Red, "same new name as another file"};
    case FileStatus::Exists:
        return {"✗", Tone::Red, "name held by a file that keeps it (or a ring of renames)"};
    case FileStatus::Empty:
        return {"✗", Tone::Red, "empty name"};
    case FileStatus::SpaceOrPeriod:
        return {"✗", Tone::Red, "starts with a space, or ends with a space or a period"};
    case FileStatus::TooLong:
        return {"✗", Tone::Red, "longer than 255 characters"};
    case FileStatus::InvalidChars:
        return {"✗", Tone::Red, "the pattern holds a character names cannot contain"};
    default:
        return {"·", Tone::Dim, ""};
    }
}

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::vector<SummaryPiece> summaryLine(const std::vector<FileRecord*>& rows) {
    size_t renamed = 0, unchanged = 0, problems = 0;
    for (const FileRecord* f : rows) {
        renamed += f->status == FileStatus::Good && f->takesPart;
        unchanged += f->status == FileStatus::Unchanged;
        problems += f->status >= FileStatus::Duplicate && f->status <= FileStatus::InvalidChars;
    }
    std::vector<SummaryPiece> line{{plural(rows.size(), "file", "files") + ": ", Tone::Plain},
                                   {std::to_string(renamed) + " to rename", Tone::Green},
                                   {", " + std::to_string(unchanged) + " unchanged", Tone::Plain}};
    if (problems) {
        line.push_back({", ", Tone::Plain});
        line.push_back({plural(problems, "problem", "problems"), Tone::Red});
    }
    return line;
}

} // namespace mr::cli
