#pragma once
// Real folders for the hostile tests: every file holds its own first name as bytes,
// so that after any run each file can be followed to where it went.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <unistd.h>
#include <vector>

namespace mr::test {

using Folder = std::map<std::string, std::string>; // name -> content, raw bytes

// Writes the files without going through std::filesystem, whose paths would want to
// decode the bytes.
inline void createFiles(const std::string& dir, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        const std::string path = dir + "/" + name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0) << "cannot create " << path;
        ASSERT_EQ(::write(fd, name.data(), name.size()), static_cast<ssize_t>(name.size()));
        ::close(fd);
    }
}

inline Folder readFolder(const std::string& dir) {
    Folder out;
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return out;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        std::string content;
        const int fd = ::open((dir + "/" + name).c_str(), O_RDONLY);
        if (fd >= 0) {
            char buffer[512];
            ssize_t n;
            while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
                content.append(buffer, static_cast<size_t>(n));
            ::close(fd);
        }
        out[name] = content;
    }
    ::closedir(d);
    return out;
}

// Every file of `names` is in `after` exactly once, under its old name or under
// newName(old); anything else in the folder is one of `foreign` (content "foreign").
// Returns how many moved.
inline size_t expectOldOrNew(const std::vector<std::string>& names, const Folder& after,
                             const std::function<std::string(const std::string&)>& newName) {
    std::set<std::string> seen;
    size_t moved = 0;
    for (const auto& [name, content] : after) {
        if (content == "foreign")
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
    ~ScratchDir() { removeTree(path_); }
    const std::string& path() const { return path_; }
    std::string sub(const std::string& name) const {
        const std::string p = path_ + "/" + name;
        ::mkdir(p.c_str(), 0700);
        return p;
    }

    static void removeTree(const std::string& dir) {
        if (DIR* d = ::opendir(dir.c_str())) {
            while (const dirent* e = ::readdir(d)) {
                const std::string name = e->d_name;
                if (name == "." || name == "..")
                    continue;
                const std::string p = dir + "/" + name;
                if (e->d_type == DT_DIR)
                    removeTree(p);
                else
                    ::unlink(p.c_str());
            }
            ::closedir(d);
        }
        ::rmdir(dir.c_str());
    }

private:
    std::string path_;
};

} // namespace mr::test
#endif
