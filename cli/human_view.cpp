#include "cli/human_view.h"

#include "platform/common/utf8.h"

#include <algorithm>
#include <cstdio>

namespace mr::cli {
namespace {

const char* const kReset = "\x1b[0m";
const char* const kBold = "\x1b[1m";
const char* const kDim = "\x1b[2m";
const char* const kRed = "\x1b[31m";
const char* const kGreen = "\x1b[32m";
const char* const kYellow = "\x1b[33m";
const char* const kCyan = "\x1b[36m";

std::string paint(const HumanStyle& s, const char* code, const std::string& text) {
    return s.colour ? code + text + kReset : text;
}

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1FAFF) ||
           (c >= 0x20000 && c <= 0x3FFFD);
}

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Walks code points; lone surrogates come as themselves.
template <class F>
void forEachCodePoint(std::u16string_view s, F&& f) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (isHighSurrogate(s[i]) && i + 1 < s.size() && isLowSurrogate(s[i + 1])) {
            f(0x10000 + ((char32_t(s[i]) - 0xD800) << 10) + (s[i + 1] - 0xDC00), s.substr(i, 2));
            ++i;
        } else {
            f(char32_t(s[i]), s.substr(i, 1));
        }
    }
}

std::string escapeOf(char32_t c) {
    char buffer[16];
    if (c >= 0xDC80 && c <= 0xDCFF) // an undecodable byte of a POSIX name
        std::snprintf(buffer, sizeof buffer, "\\x%02X", unsigned(c - 0xDC00));
    else
        std::snprintf(buffer, sizeof buffer, "\\u%04X", unsigned(c));
    return buffer;
}

bool needsEscape(char32_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || (c >= 0xD800 && c <= 0xDFFF);
}

std::string pad(size_t n) {
    return std::string(n, ' ');
}

// The mark and a short note for a row's status.
struct Mark {
    const char* symbol;
    const char* colour;
    const char* note;
};

Mark markOf(const FileRecord& f) {
    switch (f.status) {
    case FileStatus::Good:
        if (!f.takesPart)
            return {"·", kDim, "does not fit the pattern; keeps its name"};
        return {"✓", kGreen, ""};
    case FileStatus::Unchanged:
        return {"=", kDim, ""};
    case FileStatus::Duplicate:
        return {"✗", kRed, "same new name as another file"};
    case FileStatus::Exists:
        return {"✗", kRed, "name held by a file that keeps it (or a ring of renames)"};
    case FileStatus::Empty:
        return {"✗", kRed, "empty name"};
    case FileStatus::SpaceOrPeriod:
        return {"✗", kRed, "starts with a space, or ends with a space or a period"};
    case FileStatus::TooLong:
        return {"✗", kRed, "longer than 255 characters"};
    case FileStatus::InvalidChars:
        return {"✗", kRed, "the pattern holds a character names cannot contain"};
    default:
        return {"·", kDim, ""};
    }
}

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

size_t displayWidth(std::u16string_view name) {
    size_t width = 0;
    forEachCodePoint(name, [&](char32_t c, std::u16string_view) {
        width += needsEscape(c) ? escapeOf(c).size() : isWide(c) ? 2 : 1;
    });
    return width;
}

std::string displayName(std::u16string_view name, const HumanStyle& style) {
    std::string out;
    forEachCodePoint(name, [&](char32_t c, std::u16string_view unit) {
        out += needsEscape(c) ? paint(style, kYellow, escapeOf(c)) : toUtf8(unit);
    });
    return out;
}

std::string humanState(ChangeTextModel& model, const HumanStyle& s) {
    std::string out;
    const NamePattern& pattern = model.currentPattern();
    out += paint(s, kBold, "Pattern") + "  " + displayName(pattern.patternText, s);
    if (!pattern.includesExtension)
        out += paint(s, kDim, "   (extensions stay as they are)");
    out += '\n';

    out += paint(s, kBold, "Fields") + "   ";
    if (model.fields().empty())
        out += paint(s, kDim, "none");
    for (size_t i = 0; i < model.fields().size(); ++i) {
        const PatternFieldInfo& f = model.fields()[i];
        if (i > 0)
            out += "   ";
        out += paint(s, kDim, std::to_string(i) + ":");
        if (f.isButton)
            out += paint(s, kCyan, "[" + displayName(f.text, s) + "]");
        else
            out += "\"" + displayName(f.text, s) + "\"";
    }
    if (!model.editingEnabled)
        out += paint(s, kDim, "   (disabled: every file has a pasted name)");
    out += '\n';

    auto box = [&](CheckBox b, const char* text, const char* option) {
        const bool enabled = model.boxEnabled(b);
        std::string item = std::string(model.boxChecked(b) ? "[x] " : "[ ] ") + text;
        return enabled ? item + paint(s, kDim, std::string(" (") + option + ")")
                       : paint(s, kDim, item + " (unavailable)");
    };
    out += "         " + box(CheckBox::AllowExtensionChanges, "Allow Extension Changes", "-e") +
           "   " + box(CheckBox::NumbersAsText, "Treat Numbers as Text", "-n") + "\n\n";

    // The table: one line per row, grouped under its folder when there are several.
    const auto& rows = model.rows();
    size_t oldWidth = 8;
    for (const FileRecord* f : rows)
        oldWidth = std::max(oldWidth, displayWidth(f->name));
    oldWidth = std::min<size_t>(oldWidth, 48);
    out += "   " + paint(s, kBold, "Old Name") + pad(oldWidth - 8) + "   " +
           paint(s, kBold, "New Name") + '\n';
    const FolderRecord* folder = nullptr;
    size_t counts[10] = {};
    for (const FileRecord* f : rows) {
        if (model.hasFolderColumn() && f->folder != folder) {
            folder = f->folder;
            out += paint(s, kCyan, displayName(folder->path, s)) + '\n';
        }
        ++counts[std::min<size_t>(static_cast<size_t>(f->status), 9)];
        const Mark m = markOf(*f);
        out += " " + paint(s, m.colour, m.symbol) + " " + displayName(f->name, s);
        const size_t w = displayWidth(f->name);
        out += pad(w < oldWidth ? oldWidth - w : 0) + "   ";
        std::string newName = displayName(f->newName, s);
        if (f->pastedName)
            newName = paint(s, kBold, newName);
        if (f->status == FileStatus::Unchanged || !f->takesPart)
            newName = paint(s, kDim, f->takesPart ? newName : "—");
        out += newName;
        if (*m.note)
            out += "   " + paint(s, m.colour, m.note);
        out += '\n';
    }
    if (rows.empty())
        out += paint(s, kDim, "   (no files)") + '\n';

    size_t problems = 0;
    for (size_t st = 4; st <= 9; ++st)
        problems += counts[st];
    size_t renamed = 0;
    for (const FileRecord* f : rows)
        renamed += f->status == FileStatus::Good && f->takesPart;
    out += '\n' + plural(rows.size(), "file", "files") + ": " +
           paint(s, kGreen, std::to_string(renamed) + " to rename") + ", " +
           std::to_string(counts[3]) + " unchanged";
    if (problems)
        out += ", " + paint(s, kRed, plural(problems, "problem", "problems"));
    out += '\n';
    return out;
}

std::string humanOutcome(const HumanOutcome& o, const HumanStyle& s) {
    if (o.closed && std::string(o.closed) == "cancel")
        return paint(s, kDim, "Cancelled: nothing was renamed.") + '\n';
    if (o.refused && !o.closed)
        return paint(s, kRed, "Nothing was renamed: the new names have problems.") + '\n';
    if (!o.closed)
        return paint(s, kDim, "Dry run: nothing was renamed. Add --apply to rename.") + '\n';
    if (o.renamed == 0)
        return "";
    if (o.dryRun)
        return paint(s, kDim,
                     "Dry run: " + plural(o.renamed, "file", "files") +
                         " would be renamed. Add --apply to rename.") +
               '\n';
    if (o.failed)
        return paint(s, kYellow,
                     "Renamed " + std::to_string(o.renamed - o.failed) + " of " +
                         plural(o.renamed, "file", "files") + "; " + std::to_string(o.failed) +
                         " could not be renamed.") +
               '\n';
    std::string done =
        paint(s, kGreen, "Renamed " + plural(o.renamed, "file", "files") + ".") + '\n';
    if (!o.journal.empty())
        done += paint(s, kDim, "multirename --undo puts the old names back.") + '\n';
    return done;
}

} // namespace mr::cli
