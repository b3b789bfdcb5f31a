// Carrying out a validated list: folders contents first, a cancel stops between files.
#include "rename/execution.h"
#include "rename/validation.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace mr {
namespace {

using test::MemoryFileSystem;

// Records what it is asked to rename; cancels from the n-th question on.
class RecordingProgress final : public RenameProgress {
public:
    explicit RecordingProgress(int cancelFromAsk = -1) : cancelFrom_(cancelFromAsk) {}
    bool isCancelled() override { return cancelFrom_ >= 0 && ++asks_ > cancelFrom_; }
    void renameFiles(OwnerWindow owner, const std::vector<FileRecord*>& files) override {
        ++calls;
        this->owner = owner;
        for (const FileRecord* f : files)
            renamed.push_back(f->folder->path + f->name + u">" + f->newName);
    }
    int calls = 0;
    OwnerWindow owner = nullptr;
    std::vector<std::u16string> renamed;

private:
    int cancelFrom_;
    int asks_ = 0;
};

// C:\A\ (a->b, b->c), C:\A\B\ (x->y), C:\AB\ (q->r): validated as the dialog does.
void fill(RecordSet& set) {
    MemoryFileSystem fs;
    for (auto n : {u"a", u"b", u"B"})
        fs.add(u"C:\\A\\", n);
    fs.add(u"C:\\A\\B\\", u"x");
    fs.add(u"C:\\AB\\", u"q");
    fillRecordSet(set, {u"C:\\A\\a", u"C:\\A\\b", u"C:\\A\\B\\x", u"C:\\AB\\q"}, fs);
    markTakingPart(set, u"", true);
    set.forEachFile([](FileRecord& f) {
        f.newName = f.name == u"a" ? u"b" : f.name == u"b" ? u"c" : f.name == u"x" ? u"y" : u"r";
    });
    validateAll(set);
}

const std::vector<std::u16string> kAll = {u"C:\\AB\\q>r", u"C:\\A\\B\\x>y", u"C:\\A\\b>c",
                                          u"C:\\A\\a>b"};

// Asks: 1 before the folders; per folder one before, one after each file, one after.
TEST(ExecuteRenames, StopsWhereCancelledAndCallsTheMoverOnce) {
    // The ask the cancel comes from (-1: never), and how many of kAll get renamed.
    const std::pair<int, size_t> cases[] = {{-1, 4}, {0, 0}, {1, 0}, {2, 1}, {4, 1},
                                            {5, 2},  {7, 2}, {8, 3}, {9, 4}, {10, 4}};
    for (const auto& [cancelFrom, done] : cases) {
        RecordSet set;
        fill(set);
        RecordingProgress progress(cancelFrom);
        int window = 0;
        executeRenames(&window, set, progress);
        EXPECT_EQ(progress.calls, 1);
        EXPECT_EQ(progress.owner, &window);
        EXPECT_EQ(progress.renamed, std::vector(kAll.begin(), kAll.begin() + done)) << cancelFrom;
    }
}

// An unchanged name is left out; a change of case only is an ordinary move.
TEST(ExecuteRenamesList, LeavesOutUnchangedNamesAndMovesCaseChanges) {
    RecordSet set;
    fill(set);
    FileRecord& q = set.folders.at(u"C:\\AB\\")->files->front();
    q.newName = q.name;
    FileRecord& x = set.folders.at(u"C:\\A\\B\\")->files->front();
    x.newName = u"X";
    validateAll(set);
    RecordingProgress progress;
    executeRenames(nullptr, set, progress);
    EXPECT_EQ(progress.renamed, (std::vector<std::u16string>{u"C:\\A\\B\\x>X", kAll[2], kAll[3]}));
}

// Renaming a folder before its contents would lose their paths.
TEST(ExecutionFolderOrder, PutsEveryFolderBeforeTheFoldersContainingIt) {
    std::mt19937 rng(5);
    const std::u16string parts[] = {u"a\\", u"b\\", u"A\\", u"ab\\", u"a b\\", u"\\"};
    for (int round = 0; round < 3000; ++round) {
        RecordSet set;
        for (int i = static_cast<int>(rng() % 9); i > 0; --i) {
            std::u16string path = u"C:\\";
            for (int depth = static_cast<int>(rng() % 4); depth > 0; --depth)
                path += parts[rng() % 6];
            findOrAddFolder(set, path);
        }
        const auto order = executionFolderOrder(set);
        ASSERT_EQ(std::set(order.begin(), order.end()).size(), set.folders.size()) << round;
        for (size_t i = 0; i < order.size(); ++i)
            for (size_t j = i + 1; j < order.size(); ++j)
                ASSERT_FALSE(order[j]->pathKey.starts_with(order[i]->pathKey)) << round;
    }
}

} // namespace
} // namespace mr
