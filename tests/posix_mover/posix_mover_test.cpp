// The journalled mover on a real folder: faults after planning never lose a file, and undo
// puts back every move. (Kills mid-run are in the hostile tests.)
#ifndef _WIN32
#include "pattern/matching.h"
#include "platform/posix/posix_mover.h"
#include "rename/execution.h"
#include "rename/validation.h"
#include "support/case_name.h"
#include "support/disk_state.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mr {
namespace {

using namespace test;

struct MoverCase {
    const char* what;
    const char* files;
    const char* renames;
    const char* foreign; // a file made under dir between planning and renaming
    const char* failed;  // sources reported, in order
    const char* after;   // "x=a": x holds a
    bool foldCase = false;
};

class MoverRun : public testing::TestWithParam<MoverCase> {
protected:
    // "a>x b>y": files under dir and their new names, in list order, planned as the dialog would.
    void plan(RecordSet& set, const std::string& renames, bool foldCase) {
        std::map<std::string, std::string> to;
        std::vector<std::u16string> paths;
        for (const auto& w : words(renames)) {
            to[w.substr(0, w.find('>'))] = w.substr(w.find('>') + 1);
            paths.push_back(fromUtf8(dir + "/" + w.substr(0, w.find('>'))));
        }
        fillRecordSet(set, paths, platformFileSystem());
        markTakingPart(set, NamePattern{});
        set.forEachFile([&](FileRecord& f) {
            if (f.takesPart)
                f.newName = fromUtf8(to.at(toUtf8(f.folder->path + f.name).substr(dir.size() + 1)));
            std::replace(f.newName.begin(), f.newName.end(), u'^', u'\0'); // '^' stands for NUL
        });
        validateAll(set);
        if (foldCase) // as on a file system that ignores case
            set.folders.begin()->second->foldCase = true;
    }

    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    const std::string journals = (scratch.path() / "journal").string();
};

TEST_P(MoverRun, ReportsPerFileOverwritesNothingAndUndoes) {
    const MoverCase& c = GetParam();
    createFiles(dir, words(c.files));
    RecordSet set(NameRules::posix());
    plan(set, c.renames, c.foldCase);
    if (*c.foreign)
        writeFile(dir + "/" + c.foreign, "foreign");
    const Folder before = readFolder(dir);
    PosixMoverOptions options;
    options.journalDir = journals;
    PosixMover mover(options);
    executeRenames(nullptr, set, mover);
    std::vector<std::string> failed;
    for (const auto& f : mover.failures())
        failed.push_back(fs::path(toUtf8(f.from)).lexically_relative(dir).string());
    EXPECT_EQ(failed, words(c.failed));
    EXPECT_EQ(readFolder(dir), folderOf(c.after));
    // Nothing moves without a journal, and undo puts back every move, once. Only a list
    // refused whole is not journalled either.
    if (mover.journalPath().empty()) {
        EXPECT_TRUE(mover.journalError() || failed.size() == words(c.renames).size());
        return;
    }
    const size_t moved = words(c.renames).size() - failed.size();
    EXPECT_EQ(undoFromJournal(mover.journalPath()).restored, moved);
    EXPECT_EQ(readFolder(dir), before);
    EXPECT_EQ(undoFromJournal(mover.journalPath()).restored, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MoverRun,
    testing::Values(
        MoverCase{"target_created_after_planning", "a b", "a>x b>y", "x", "a", "a x=foreign y=b"},
        MoverCase{"a_chain_behind_a_failed_rename_stays", "a b c", "a>b b>c c>d", "d", "c b a",
                  "a b c d=foreign"},
        MoverCase{"no_journal_no_rename", "a", "a>b", "../journal", "", "a"},
        // Undone oldest first, b would meet the file a became.
        MoverCase{"a_chain_that_moved", "a b", "a>b b>c", "", "", "b=a c=b"},
        MoverCase{"a_change_of_case_on_a_folder_ignoring_case", "a.txt b.txt",
                  "a.txt>A.txt b.txt>c.txt", "", "", "A.txt=a.txt c.txt=b.txt", true},
        MoverCase{"a_nul_in_any_new_name_moves_nothing", "a b", "a>x b>y^z", "", "a b", "a b"}),
    CaseName());

} // namespace
} // namespace mr
#endif
