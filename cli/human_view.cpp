#include "cli/human_view.h"

#include "cli/status_marks.h"
#include "resources/captions.h"
#include "text/utf8.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace mr::cli {
namespace {

const char* const kBold = "\x1b[1m";
const char* const kDim = "\x1b[2m";
const char* const kRed = "\x1b[31m";
const char* const kGreen = "\x1b[32m";
const char* const kYellow = "\x1b[33m";
const char* const kCyan = "\x1b[36m";

std::string pad(size_t n) {
    return std::string(n, ' ');
}

const char* ansi(Tone tone) {
    switch (tone) {
    case Tone::Dim:
        return kDim;
    case Tone::Green:
        return kGreen;
    case Tone::Red:
        return kRed;
    case Tone::Yellow:
        return kYellow;
    case Tone::Cyan:
        return kCyan;
    case Tone::Plain:
        break;
    }
    return "";
}

// The widths of the name columns: the old names' width (at most 48) where lines may be
// long; on a terminal, the widths that make every row fit its width.
struct TableColumns {
    size_t oldWidth = 8;
    size_t newWidth = 0; // 0: as wide as each new name
};

TableColumns tableColumns(const std::vector<FileRecord*>& rows, size_t columns) {
    TableColumns c;
    size_t newMax = 8;
    for (const FileRecord* f : rows) {
        c.oldWidth = std::max(c.oldWidth, displayWidth(f->name));
        if (columns)
            newMax = std::max(newMax, displayWidth(f->newName));
    }
    if (!columns) {
        c.oldWidth = std::min<size_t>(c.oldWidth, 48);
        return c;
    }
    // Three columns for the mark, three between the names; each name keeps at least 8.
    const size_t room = columns > 6 + 16 ? columns - 6 : 16;
    if (c.oldWidth + newMax > room) {
        const size_t half = room / 2;
        if (c.oldWidth > half && newMax > room - half)
            c.oldWidth = half;
        else if (c.oldWidth > half)
            c.oldWidth = room - newMax;
    }
    c.newWidth = room - c.oldWidth;
    return c;
}

} // namespace

void writeHumanState(std::ostream& os, ChangeTextModel& model, const HumanStyle& s) {
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
        // Appended piece by piece: "literal" + string trips a false -Wrestrict at -O3.
        std::string shown(f.isButton ? "[" : "\"");
        shown += displayName(f.text, s);
        shown += f.isButton ? ']' : '"';
        out += f.isButton ? paint(s, kCyan, shown) : shown;
    }
    if (!model.editingEnabled())
        out += paint(s, kDim, "   (disabled: every file has a pasted name)");
    out += '\n';

    auto box = [&](CheckBox b, const char* text, const char* option) {
        const bool enabled = model.boxEnabled(b);
        std::string item = std::string(model.boxChecked(b) ? "[x] " : "[ ] ") + text;
        return enabled ? item + paint(s, kDim, std::string(" (") + option + ")")
                       : paint(s, kDim, item + " (unavailable)");
    };
    out += "         " +
           box(CheckBox::AllowExtensionChanges, MR_CAPTION_ALLOW_EXTENSION_CHANGES, "-e") + "   " +
           box(CheckBox::NumbersAsText, MR_CAPTION_NUMBERS_AS_TEXT, "-n") + "\n\n";

    // The table: one line per row, grouped under its folder when there are several.
    const auto& rows = model.rows();
    const TableColumns cols = tableColumns(rows, s.columns);
    out += "   " + paint(s, kBold, MR_CAPTION_OLD_NAME) + pad(cols.oldWidth - 8) + "   " +
           paint(s, kBold, MR_CAPTION_NEW_NAME) + '\n';
    const FolderRecord* folder = nullptr;
    // Written a block at a time: the table of a large folder is never held whole.
    constexpr size_t kBlock = 1 << 16;
    out.reserve(kBlock + 4096);
    for (const FileRecord* f : rows) {
        if (out.size() >= kBlock) {
            os.write(out.data(), static_cast<std::streamsize>(out.size()));
            out.clear();
        }
        if (model.hasFolderColumn() && f->folder != folder) {
            folder = f->folder;
            out += paint(s, kCyan,
                         s.columns ? fitName(folder->path, s.columns, s)
                                   : displayName(folder->path, s)) +
                   '\n';
        }
        const StatusMark m = statusMark(*f);
        out += ' ';
        out += paint(s, ansi(m.tone), m.symbol);
        out += ' ';
        size_t w = displayWidth(f->name);
        if (s.columns && w > cols.oldWidth) {
            out += fitName(f->name, cols.oldWidth, s);
            w = cols.oldWidth;
        } else {
            appendDisplayName(out, f->name, s);
        }
        out.append((w < cols.oldWidth ? cols.oldWidth - w : 0) + 3, ' ');
        const bool dim = keepsItsName(*f);
        size_t newWidth = f->takesPart ? displayWidth(f->newName) : 1;
        if (!s.colour && !dim && (!s.columns || newWidth <= cols.newWidth)) {
            appendDisplayName(out, f->newName, s); // the common row, without copies
        } else {
            std::string newName =
                s.columns ? fitName(f->newName, cols.newWidth, s) : displayName(f->newName, s);
            newWidth = std::min(newWidth, s.columns ? cols.newWidth : newWidth);
            if (f->pastedName)
                newName = paint(s, kBold, newName);
            if (dim)
                newName = paint(s, kDim, f->takesPart ? newName : "—");
            out += newName;
        }
        if (*m.note) {
            // A note that does not fit after the names goes on a line of its own.
            const size_t used = 3 + cols.oldWidth + 3 + newWidth;
            const size_t noteWidth = std::string_view(m.note).size();
            if (s.columns && used + 3 + noteWidth > s.columns)
                out += "\n     ";
            else
                out += "   ";
            out += paint(s, ansi(m.tone), m.note);
        }
        out += '\n';
    }
    if (rows.empty())
        out += paint(s, kDim, "   (no files)") + '\n';

    out += '\n';
    for (const SummaryPiece& piece : summaryLine(rows))
        out += paint(s, ansi(piece.tone), piece.text);
    out += '\n';
    os.write(out.data(), static_cast<std::streamsize>(out.size()));
}

std::string humanState(ChangeTextModel& model, const HumanStyle& s) {
    std::ostringstream os;
    writeHumanState(os, model, s);
    return std::move(os).str();
}

std::string humanOutcome(const HumanOutcome& o, const HumanStyle& s) {
    if (o.closed && std::string(o.closed) == "cancel")
        return paint(s, kDim, "Cancelled: nothing was renamed.") + '\n';
    if (o.refused && !o.closed)
        return paint(s, kRed, "Nothing was renamed: the new names have problems.") + '\n';
    if (!o.closed && o.problems)
        return paint(s, kRed, "Dry run: nothing was renamed; the new names have problems.") + '\n';
    if (!o.closed)
        return paint(s, kDim, "Dry run: nothing was renamed. Add --apply to rename.") + '\n';
    if (o.renamed == 0)
        return "";
    if (o.records)
        return paint(s, kDim,
                     plural(o.renamed, "file", "files") +
                         " would be renamed; with --records nothing on disk changes.") +
               '\n';
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
