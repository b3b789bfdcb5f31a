#pragma once
// Checks every new name against the file system's rules and the other entries of its
// folder, and orders each folder's renames so that no file is moved onto a name that
// is still occupied.
#include "rename/records.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace mr {

class HalvesThread;

// Counters for the statuses 4 to 9, in that order.
using ProblemCounts = std::array<uint32_t, 6>;

// Validates as the functions below do, and keeps between validations what does not
// change: an index of each folder's old names, and the buffers a validation fills. A
// keystroke then validates without building the index again or allocating per file.
// Belongs to one record set, whose folders' records it indexes by address. With
// halves, the second half of each large loop goes to that thread.
class Validator {
public:
    explicit Validator(HalvesThread* halves = nullptr);
    ~Validator();
    Validator(const Validator&) = delete;
    Validator& operator=(const Validator&) = delete;

    void validateFolder(FolderRecord& folder);
    void validateAll(RecordSet& set);

private:
    struct State;
    std::unique_ptr<State> state_;
};

void validateFolder(FolderRecord& folder);
void validateAll(RecordSet& set);
void planFolderRenames(FolderRecord& folder);
void summarize(RecordSet& set);
ProblemCounts countProblems(const RecordSet& set);
// One "\r\n<count> <text>" line; nothing when the count is 0 or less.
void appendProblemLine(std::u16string& message, int64_t count, uint32_t singularId);

enum class MessageIcon { Exclamation, Information };

// What "Rename" does with the statuses of the last validation.
struct RenameDecision {
    enum class Action {
        ShowProblems, // show the message; nothing is renamed and the dialog stays open
        NoChange,     // show the message, then close
        Rename,       // executeRenames, then close
    };
    Action action = Action::Rename;
    uint32_t messageId = 0; // string-table number of the message's main text; 0 for Rename
    std::u16string message; // the text exactly as shown; empty for Rename
    MessageIcon icon = MessageIcon::Information;
};

// Runs summarize (and countProblems when needed) on the set; validation is not run again.
RenameDecision decideRename(RecordSet& set);

} // namespace mr
