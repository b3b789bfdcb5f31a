#pragma once
// The journal of one renaming run, from which --undo puts the old names back.
//
// Kept under $XDG_STATE_HOME/multirename, else ~/.local/state/multirename, as
// journal-<sequence>: the sequence is one more than the highest in the folder, so the
// order of the runs never depends on the clock. The plan (every folder once, then every
// rename with its source's device and inode) is written to a file without a name,
// fsynced and only then linked under its sequence: a run killed while it writes its
// plan leaves no journal behind, and a journal that can be read always holds a whole
// plan. After the plan come a line per rename tried, appended and fdatasynced after
// every batch, "END" when the list is done and "UNDONE" after an undo.
#include "platform/posix/unique_fd.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr {

// The folder of the journals, or why there is none.
struct JournalFolder {
    std::string path; // empty: no folder can be named
    std::string why;  // why not, when path is empty
};
JournalFolder journalFolder();

// Why a journal could not be written: the path (the journal's, or its folder's) and
// the reason, for one message.
struct JournalError {
    std::string path;
    std::string reason;
};

// One rename of a plan: names inside the plan's folder `folder`.
struct PlanStep {
    uint32_t folder = 0;
    bool known = false; // the source was there when the plan was written
    uint64_t dev = 0, ino = 0;
    std::string_view from, to, tmp; // tmp: a change of case goes through it; empty: none
};

// Writes one run's journal: the plan, then its progress.
class JournalWriter {
public:
    // Starts the plan in dir (created when missing) for these folders and steps.
    bool begin(const std::string& dir, const std::vector<std::string>& folders, size_t steps);
    void add(const PlanStep& step);
    // Ends the plan and makes it durable under its name; nothing may move before.
    bool publish();
    // Progress: one line per rename tried; sync() after each batch, end() once.
    void progress(bool moved, size_t index);
    void sync();
    void end();

    const std::string& path() const { return path_; }
    const JournalError& error() const { return error_; }

private:
    bool fail(const std::string& path, int error);
    bool flush();
    bool openNamed();
    bool link();

    std::string dir_, path_;
    UniqueFd dirFd_, fd_;
    bool named_ = false; // the plan is written under its name (no unnamed files here)
    uint64_t sequence_ = 0;
    std::string buffer_;
    bool ok_ = true;
    int writeError_ = 0;
    JournalError error_;
};

// What a journal says about its run.
enum class RunState {
    Unfinished,   // the plan was never completed: the run renamed nothing
    Interrupted,  // stopped while renaming: some files may have moved
    Renamed,      // the list was done
    MovedNothing, // the list was done and nothing moved
    Undone,       // --undo has run over it
};

struct Journal {
    std::string path;
    uint64_t sequence = 0;
    int64_t when = 0; // seconds since 1970 (the clock of that run)
    std::vector<std::string> folders;
    size_t planned = 0;
    bool planComplete = false;
    size_t moved = 0, failed = 0; // progress lines
    bool ended = false;
    bool undone = false;
    size_t undoFailures = 0;

    // The steps, when read with them: names are offsets into text, each NUL-ended.
    struct Step {
        uint32_t folder = 0;
        bool known = false;
        uint64_t dev = 0, ino = 0;
        size_t from = 0, to = 0, tmp = 0; // tmp 0: none
    };
    std::vector<Step> steps;
    std::string text;
    const char* name(size_t at) const { return text.c_str() + at; }

    RunState state() const;
};

// Reads a journal; steps only when asked. Nothing when the file cannot be read (error
// holds errno) or is no journal (error 0).
std::optional<Journal> readJournal(const std::string& path, bool withSteps, int* error);

// The sequence of a journal's file name; nothing for other names.
std::optional<uint64_t> journalSequence(std::string_view fileName);

// The journals of a folder, newest (highest sequence) first: paths and sequences.
struct JournalEntry {
    uint64_t sequence;
    std::string path;
};
std::vector<JournalEntry> journalsIn(const std::string& dir);

// Marks a journal undone, with how many files could not be put back.
void markUndone(const std::string& path, size_t failures);

} // namespace mr
