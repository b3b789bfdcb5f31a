#pragma once
// Real folders for the tests that rename on disk: every file holds its first path under
// the folder, so that it can be followed. POSIX paths pass raw bytes through.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace mr::test {

namespace fs = std::filesystem;
using Folder = std::map<std::string, std::string>; // path under the folder -> content

inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// "b1=a1 c": b1 holds a1, c holds c.
inline Folder folderOf(const std::string& text) {
    Folder out;
    for (const auto& w : words(text)) {
        const size_t eq = w.find('=');
        out[w.substr(0, eq)] = eq == std::string::npos ? w : w.substr(eq + 1);
    }
    return out;
}

inline void writeFile(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(out << content) << "cannot create " << path;
}

inline void createFiles(const fs::path& dir, const std::vector<std::string>& names) {
    for (const auto& name : names)
        writeFile(dir / name, name);
}

// Every file and folder below dir; a folder's content reads "<dir>".
inline Folder readFolder(const fs::path& dir) {
    Folder out;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dir, ec), end; it != end; it.increment(ec)) {
        std::ifstream in(it->path(), std::ios::binary);
        out[it->path().lexically_relative(dir).string()] =
            it->is_directory() ? "<dir>" : std::string(std::istreambuf_iterator<char>(in), {});
    }
    return out;
}

// Every file of `names` is in `after` exactly once, under its old name or under
// newName(old); anything else is a folder or holds "foreign". Returns how many moved.
inline size_t expectOldOrNew(const std::vector<std::string>& names, const Folder& after,
                             const std::function<std::string(const std::string&)>& newName) {
    std::set<std::string> seen;
    size_t moved = 0;
    for (const auto& [name, content] : after) {
        if (content == "foreign" || content == "<dir>")
            continue;
        EXPECT_TRUE(seen.insert(content).second) << "two files hold " << content;
        if (name != content) {
            EXPECT_EQ(name, newName(content)) << "a file is under a third name";
            ++moved;
        }
    }
    EXPECT_EQ(seen, std::set<std::string>(names.begin(), names.end())) << "a file is lost";
    return moved;
}

// A fresh temporary folder, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() {
        static int serial = 0;
        path_ = fs::temp_directory_path() / ("mr-test-" + std::to_string(std::random_device{}()) +
                                             "-" + std::to_string(serial++));
        fs::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string sub(const std::string& name) const {
        fs::create_directories(path_ / name);
        return (path_ / name).string();
    }
    fs::path write(const std::string& name, const std::string& content) const {
        writeFile(path_ / name, content);
        return path_ / name;
    }

private:
    fs::path path_;
};

#ifndef _WIN32
// Journals go to a folder of the test's own, never the user's.
class JournalHome {
public:
    JournalHome() { ::setenv("XDG_STATE_HOME", dir_.path().c_str(), 1); }
    ~JournalHome() { ::unsetenv("XDG_STATE_HOME"); }
    std::string journals() const { return (dir_.path() / "multirename").string(); }

private:
    ScratchDir dir_;
};
#endif

} // namespace mr::test
