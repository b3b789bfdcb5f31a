#include "rename/execution.h"
#include "rename/validation.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

#include <list>
#include <random>

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

struct CancelCase {
    int cancelFromAsk; // -1: never
    std::vector<std::u16string> expected;
};

class ExecuteRenames : public testing::TestWithParam<CancelCase> {};

// Asks: 1 before the folders; per folder one before, one after each file, one after.
TEST_P(ExecuteRenames, StopsWhereCancelledAndCallsTheMoverOnce) {
    RecordSet set;
    fill(set);
    RecordingProgress progress(GetParam().cancelFromAsk);
    int window = 0;
    executeRenames(&window, set, progress);
    EXPECT_EQ(progress.calls, 1);
    EXPECT_EQ(progress.owner, &window);
    EXPECT_EQ(progress.renamed, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExecuteRenames,
                         testing::Values(CancelCase{-1, kAll}, CancelCase{0, {}}, CancelCase{1, {}},
                                         CancelCase{2, {kAll[0]}}, CancelCase{4, {kAll[0]}},
                                         CancelCase{5, {kAll[0], kAll[1]}},
                                         CancelCase{7, {kAll[0], kAll[1]}},
                                         CancelCase{8, {kAll[0], kAll[1], kAll[2]}},
                                         CancelCase{9, kAll}, CancelCase{10, kAll}));

TEST(ExecuteRenamesList, LeavesOutNamesThatDoNotChange) {
    RecordSet set;
    fill(set);
    FolderRecord& folder = *set.folders.at(u"C:\\AB\\");
    FileRecord& q = folder.files->front();
    q.newName = q.name;
    RecordingProgress progress;
    executeRenames(nullptr, set, progress);
    EXPECT_EQ(progress.renamed, (std::vector<std::u16string>(kAll.begin() + 1, kAll.end())));
}

TEST(ExecuteRenamesList, CaseOnlyChangeIsAnOrdinaryMove) {
    RecordSet set;
    fill(set);
    FileRecord& q = set.folders.at(u"C:\\AB\\")->files->front();
    q.newName = u"Q";
    validateAll(set);
    RecordingProgress progress;
    executeRenames(nullptr, set, progress);
    EXPECT_EQ(progress.renamed.front(), u"C:\\AB\\q>Q");
}

// The plain reference order: insert each folder before the first one containing it.
std::vector<std::u16string> literalFolderOrder(RecordSet& set) {
    std::list<FolderRecord*> order;
    for (auto& [key, folder] : set.folders) {
        auto it = order.begin();
        for (; it != order.end(); ++it)
            if ((*it)->pathKey.size() < key.size() && key.starts_with((*it)->pathKey))
                break;
        order.insert(it, folder.get());
    }
    std::vector<std::u16string> out;
    for (auto* f : order)
        out.push_back(f->path);
    return out;
}

std::vector<std::u16string> paths(const std::vector<FolderRecord*>& folders) {
    std::vector<std::u16string> out;
    for (auto* f : folders)
        out.push_back(f->path);
    return out;
}

TEST(ExecutionFolderOrder, ContentsBeforeTheirFolder) {
    RecordSet set;
    for (auto p : {u"C:\\A\\", u"C:\\A\\B\\", u"C:\\AB\\"})
        findOrAddFolder(set, p);
    EXPECT_EQ(paths(executionFolderOrder(set)),
              (std::vector<std::u16string>{u"C:\\AB\\", u"C:\\A\\B\\", u"C:\\A\\"}));
}

TEST(ExecutionFolderOrder, MatchesInsertionBeforeTheFirstContainer) {
    std::mt19937 rng(5);
    const std::u16string parts[] = {u"a\\", u"b\\", u"A\\", u"ab\\", u"a b\\", u"\\"};
    for (int round = 0; round < 3000; ++round) {
        RecordSet set;
        const int n = static_cast<int>(rng() % 9);
        for (int i = 0; i < n; ++i) {
            std::u16string path = u"C:\\";
            for (int depth = static_cast<int>(rng() % 4); depth > 0; --depth)
                path += parts[rng() % 6];
            findOrAddFolder(set, path);
        }
        ASSERT_EQ(paths(executionFolderOrder(set)), literalFolderOrder(set)) << round;
    }
}

} // namespace
} // namespace mr
