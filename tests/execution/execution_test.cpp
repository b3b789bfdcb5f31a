// Carrying out a validated list: folders contents first, a cancel stops between files.
#include "pattern/matching.h"
#include "rename/execution.h"
#include "rename/validation.h"
#include "support/memory_file_system.h"

#include <gtest/gtest.h>

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
    markTakingPart(set, NamePattern{});
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

} // namespace
} // namespace mr
