// Hostile names and kills at exact points of a run: every file under its old or new name;
// --undo undoes all.
#ifndef _WIN32
#include "preloaded_run.h"
#include "support/case_name.h"
#include "support/disk_state.h"

#include <gtest/gtest.h>

#include <functional>

namespace mr::test {
namespace {

// `count` files name(i), renamed by the options of `edit` to newName(old). With `kill`
// (a shim setting such as "renameat2:3": killed on entering the third rename) the run
// dies there, `moved` files renamed. With `block`, that old name is taken again before
// the undo, which then leaves its file moved and exits 3.
struct Family {
    const char* what;
    size_t count;
    std::function<std::string(size_t)> name;
    std::vector<std::string> edit;
    std::function<std::string(const std::string&)> newName;
    const char* kill = nullptr;
    size_t moved = 0;
    const char* block = nullptr;
};

void PrintTo(const Family& c, std::ostream* out) {
    *out << c.what;
}

class HostileNames : public testing::TestWithParam<Family> {};

TEST_P(HostileNames, EveryFileUnderItsOldOrNewNameAndUndoneAfter) {
    const Family& c = GetParam();
    ScratchDir scratch;
    const std::string dir = scratch.sub("files");
    std::vector<std::string> names;
    std::vector<std::string> args = c.edit;
    args.push_back("--apply");
    for (size_t i = 0; i < c.count; ++i) {
        names.push_back(c.name(i));
        args.push_back(dir + "/" + names.back());
    }
    createFiles(dir, names);
    std::vector<std::string> shim;
    if (c.kill)
        shim.push_back(std::string("MR_SHIM_KILL=") + c.kill);
    const ChildRun run = runPreloaded(scratch.path(), args, shim);
    EXPECT_EQ(run.killed, c.kill != nullptr) << run.err.substr(0, 2000);
    EXPECT_TRUE(c.kill || run.exit == 0) << run.err.substr(0, 2000);
    const size_t moved = expectOldOrNew(names, readFolder(dir), c.newName);
    EXPECT_EQ(moved, c.kill ? c.moved : c.count);
    // Killed before the first move: nothing to undo.
    if (moved) {
        if (c.block)
            writeFile(dir + "/" + c.block, "foreign");
        const ChildRun undo = runPreloaded(scratch.path(), {"--undo"});
        EXPECT_EQ(undo.exit, c.block ? 3 : 0) << undo.err;
        EXPECT_EQ(expectOldOrNew(names, readFolder(dir), c.newName), c.block ? 1u : 0u);
    }
}

// f<letter><i>.dat renamed to new_<letter><i>.dat.
Family newPrefix(const char* what, size_t count, const char* kill, size_t moved,
                 const char* block = nullptr) {
    return {what,
            count,
            [](size_t i) {
                return "f" + std::string(1, char('a' + i % 26)) + std::to_string(i) + ".dat";
            },
            {"-t", "0=new_"},
            [](const std::string& old) { return "new_" + old.substr(1); },
            kill,
            moved,
            block};
}

// f1.dat ... renumbered from 2: each file moves onto the next one's name, newest first.
Family shifted(const char* what, size_t count, const char* kill, size_t moved) {
    return {what,
            count,
            [](size_t i) { return "f" + std::to_string(i + 1) + ".dat"; },
            {"--number", "1=renumber:2"},
            [](const std::string& old) {
                return "f" + std::to_string(std::stoul(old.substr(1)) + 1) + ".dat";
            },
            kill,
            moved};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileNames,
    testing::Values(
        // Bytes that are not UTF-8, and an encoded surrogate, which decodes to lone ones.
        Family{"invalid_utf8_and_lone_surrogates",
               500,
               [](size_t i) {
                   return "\xff\xfe" + std::string(1, char('a' + i % 26)) + std::to_string(i) +
                          "\xed\xa0\x80\xc3(.txt";
               },
               {"-t", "0=ok"},
               [](const std::string& old) { return "ok" + old.substr(2); }},
        // clang-format off
        newPrefix("killed_while_the_journal_is_synced", 300, "fsync:1", 0),
        newPrefix("killed_before_the_first_rename", 300, "renameat2:1", 0),
        newPrefix("killed_after_the_first_rename", 300, "renameat2:2", 1),
        newPrefix("killed_halfway", 300, "renameat2:151", 150),
        newPrefix("an_old_name_taken_before_the_undo", 3, nullptr, 3, "fa0.dat"),
        shifted("a_shifted_chain", 2, nullptr, 2),
        shifted("a_shifted_chain_killed_halfway", 300, "renameat2:151", 150)),
    // clang-format on
    CaseName());

} // namespace
} // namespace mr::test
#endif
