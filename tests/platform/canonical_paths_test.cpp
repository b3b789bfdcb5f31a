// The host's paths made canonical on a real POSIX folder: full, real, one spelling each.
#ifndef _WIN32
#include "seams/canonical_paths.h"
#include "support/disk_state.h"
#include "text/utf8.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace mr {
namespace {

namespace fs = std::filesystem;

TEST(CanonicalPaths, OneSpellingPerFileAgainstTheFolderCurrentNow) {
    test::ScratchDir scratch;
    const std::string root = fs::canonical(scratch.path()).string();
    scratch.write("dir/a.txt", "a");
    scratch.sub("dir/sub");
    fs::create_directory_symlink("dir", scratch.path() / "link");
    const std::string dir = root + "/dir/", a = dir + "a.txt";
    const struct {
        std::string given, expected;
    } cases[] = {
        {"a.txt", a},
        {"./sub/../a.txt", a},
        {root + "/link/a.txt", a},
        {root + "//dir/./a.txt", a},
        {"sub/..", root + "/dir"},
        {".", root + "/dir"},
        {root + "/link/", dir},
        {"missing/a.txt", dir + "missing/a.txt"}, // cannot be listed: stays as given
        {"", ""},
    };
    std::vector<std::u16string> given;
    for (const auto& c : cases)
        given.push_back(fromUtf8(c.given));
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    const std::vector<std::u16string> found = canonicalPaths(given);
    fs::current_path(before);
    ASSERT_EQ(found.size(), given.size());
    for (size_t i = 0; i < given.size(); ++i)
        EXPECT_EQ(toUtf8(found[i]), cases[i].expected) << cases[i].given;
}

} // namespace
} // namespace mr
#endif
