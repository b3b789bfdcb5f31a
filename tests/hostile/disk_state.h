#pragma once
// Real folders for the hostile and mover tests: every file holds its own first path
// (under the folder), so that after any run each file can be followed to where it
// went. Names are raw bytes, which POSIX paths pass through as they are.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace mr::test {

namespace fs = std::filesystem;
using Folder = std::map<std::string, std::string>; // path under the folder -> content

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

// A fresh folder under /tmp, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/mr-hostile-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }
    std::string sub(const std::string& name) const {
        fs::create_directories(path_ + "/" + name);
        return path_ + "/" + name;
    }

private:
    std::string path_;
};

} // namespace mr::test
#endif
