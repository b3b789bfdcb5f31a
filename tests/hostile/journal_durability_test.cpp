// The journal is on the disk, with its folder entry, before the first file moves; a
// journal that cannot be synced moves nothing; a move the file system refuses exits 3.
#ifndef _WIN32
#include "preloaded_run.h"

#include <gtest/gtest.h>

namespace mr::test {
namespace {

TEST(Journal, ReachesTheDiskBeforeTheFirstRenameAndEveryFailureExits3) {
    const struct {
        const char* fail; // the shim's setting; "": none
        int exit;
        const char* after;
        const char* err; // a part of standard error
    } cases[] = {
        // clang-format off
        {"", 0, "b1=a1 b2=a2", ""},
        {"fsync:1", 3, "a1 a2", "journal"},           // the journal's own sync
        {"renameat2", 3, "a1 a2", "could not rename"}, // the file system refuses every move
        // clang-format on
    };
    for (const auto& c : cases) {
        ScratchDir scratch;
        const std::string dir = scratch.sub("files");
        createFiles(dir, {"a1", "a2"});
        const std::string log = (scratch.path() / "calls").string();
        std::vector<std::string> shim = {"MR_SHIM_LOG=" + log};
        if (*c.fail)
            shim.push_back(std::string("MR_SHIM_FAIL=") + c.fail);
        const ChildRun run =
            runPreloaded(scratch.path(), {"-t", "0=b", "--apply", dir + "/a1", dir + "/a2"}, shim);
        EXPECT_EQ(run.exit, c.exit) << run.err;
        EXPECT_EQ(readFolder(dir), folderOf(c.after)) << c.fail;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        if (std::string_view(c.fail).starts_with("fsync"))
            continue;
        // Before the first rename: the journal synced, then its folder.
        std::ifstream in(log);
        const std::string journals = fs::canonical(journalsUnder(scratch.path())).string();
        std::vector<std::string> syncs;
        for (std::string line; std::getline(in, line) && !line.starts_with("renameat2 ");)
            if (line.starts_with("fsync " + journals))
                syncs.push_back(line.size() == 6 + journals.size() ? "folder" : "journal");
        EXPECT_EQ(syncs, (std::vector<std::string>{"journal", "folder"}));
    }
}

} // namespace
} // namespace mr::test
#endif
