#include "cli/undo_command.h"

#include "cli/messages.h"
#include "cli/terminal_text.h"

#ifndef _WIN32
#include "platform/posix/journal_undo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#endif

namespace mr::cli {

#ifdef _WIN32

int runUndo(const UndoRequest&, std::ostream&, std::ostream& err) {
    sayError(err, "--undo is for POSIX systems; on Windows the shell undoes a rename");
    return 1;
}

#else

namespace {

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string localTime(int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    char text[32];
    if (!::localtime_r(&t, &tm) || !std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm))
        return "?";
    return text;
}

std::string stateText(const Journal& j) {
    switch (j.state()) {
    case RunState::Unfinished:
        return "plan never completed";
    case RunState::Interrupted:
        return "interrupted";
    case RunState::MovedNothing:
        return "moved nothing";
    case RunState::Undone:
        return j.undoFailures ? "undone, " + std::to_string(j.undoFailures) + " not put back"
                              : "undone";
    case RunState::Renamed:
        break;
    }
    return j.failed ? "renamed, " + std::to_string(j.failed) + " failed" : "renamed";
}

// Where the run renamed: its first folder, and how many more.
std::string whereText(const Journal& j) {
    if (j.folders.empty())
        return "";
    std::string where = displayText(j.folders.front());
    if (j.folders.size() > 1)
        where += " (and " + plural(j.folders.size() - 1, "more folder", "more folders") + ")";
    return where;
}

std::string runText(const Journal& j) {
    return "run " + std::to_string(j.sequence) + " (" + localTime(j.when) + ", " + whereText(j) +
           ")";
}

void noticeIgnored(std::ostream& err, const RunHistory& history) {
    for (const std::string& path : history.ignored)
        sayError(err, "ignored " + path +
                          ": its plan was never completed (the run was stopped before it "
                          "renamed anything)");
}

int listRuns(const std::string& dir, std::ostream& out, std::ostream& err) {
    const RunHistory history = runHistory(dir, false);
    for (const auto& u : history.unreadable)
        sayError(err, "cannot read the journal " + u.path + ": " + std::strerror(u.error));
    if (history.runs.empty()) {
        out << "No runs in " << displayText(dir) << ".\n";
        return 0;
    }
    out << "Runs in " << displayText(dir) << ", newest first:\n";
    char line[160];
    std::snprintf(line, sizeof line, "%6s  %-19s  %6s  %-22s  %s\n", "run", "when", "names",
                  "state", "where");
    out << line;
    for (const Journal& j : history.runs) {
        std::snprintf(line, sizeof line, "%6llu  %-19s  %6zu  %-22s  ",
                      static_cast<unsigned long long>(j.sequence), localTime(j.when).c_str(),
                      j.planned, stateText(j).c_str());
        out << line << whereText(j) << '\n';
    }
    if (const Journal* target = undoTarget(history))
        out << "multirename --undo puts back run " << target->sequence
            << "; multirename --undo N puts back run N.\n";
    else
        out << "Every run is undone or moved nothing; multirename --undo N puts back run N.\n";
    noticeIgnored(err, history);
    return 0;
}

int undoJournal(const std::string& path, const std::string& label, std::ostream& out,
                std::ostream& err) {
    const UndoReport report = undoFromJournal(path);
    if (!report.journalRead) {
        sayError(err, "--undo: cannot read the journal " + path + ": " +
                          (report.readError ? std::strerror(report.readError)
                                            : "it holds no whole plan of a run"));
        return 1;
    }
    out << "Put back " << plural(report.restored, "name", "names");
    if (report.alreadyInPlace)
        out << " (" << report.alreadyInPlace << " already had their old names)";
    out << " of " << label << ".\n";
    for (const auto& b : report.byName)
        sayError(err, "put back " + b.oldPath + " by its new name " + b.newPath +
                          ": the file there is not the one renamed (saved again or replaced "
                          "since)");
    for (const auto& f : report.failures)
        sayError(err, "could not put back " + f.oldPath + " from " + f.newPath + ": " + f.reason);
    return report.failures.empty() ? 0 : 3;
}

} // namespace

int runUndo(const UndoRequest& request, std::ostream& out, std::ostream& err) {
    if (request.journal)
        return undoJournal(*request.journal, displayText(*request.journal), out, err);
    const JournalFolder folder = journalFolder();
    if (folder.path.empty()) {
        sayError(err, "--undo: there is no folder of journals: " + folder.why);
        return 1;
    }
    const std::string& dir = folder.path;
    if (request.list)
        return listRuns(dir, out, err);
    struct stat st;
    if (::stat(dir.c_str(), &st) != 0) {
        sayError(err, "--undo: there is no journal in " + dir + " (" + std::strerror(errno) + ")");
        return 1;
    }
    const RunHistory history = runHistory(dir, !request.run);
    const Journal* target = nullptr;
    if (request.run) {
        for (const Journal& j : history.runs)
            if (j.sequence == *request.run)
                target = &j;
        if (!target) {
            sayError(err, "--undo " + std::to_string(*request.run) + ": there is no run " +
                              std::to_string(*request.run) + " in " + dir +
                              " (multirename --undo --list shows the runs)");
            return 1;
        }
    } else {
        noticeIgnored(err, history);
        if (!history.unreadable.empty()) {
            const auto& u = history.unreadable.front();
            sayError(err,
                     "--undo: cannot read the journal " + u.path + ": " + std::strerror(u.error));
            return 1;
        }
        target = undoTarget(history);
        if (!target) {
            sayError(err, "--undo: " + (history.runs.empty()
                                            ? "there is no journal in " + dir
                                            : "nothing to undo in " + dir +
                                                  ": every run there is undone or moved nothing "
                                                  "(multirename --undo --list shows them)"));
            return 1;
        }
    }
    const int status = undoJournal(target->path, runText(*target), out, err);
    // Runs made one after the other (xargs splits a long list) are undone one by one.
    if (!request.run)
        if (const RunHistory after = runHistory(dir, true); const Journal* next = undoTarget(after))
            out << "The " << runText(*next)
                << " before it is not undone: multirename --undo again puts it back.\n";
    return status;
}

#endif

} // namespace mr::cli
