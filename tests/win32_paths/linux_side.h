#pragma once
// Folders made and read from the Linux side of Wine. A Linux name is any bytes but '/'
// and NUL: '*', a trailing space, 'nul', names that differ only in case, bytes that are
// not UTF-8. Windows paths cannot spell all of them, so the shell makes and reads them.
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace mr::test {

// A path under the test folder, as bytes; a file holds its own path.
struct LinuxEntry {
    LinuxEntry(std::string p, char k = 'f', std::string t = {})
        : path(std::move(p)), kind(k), target(std::move(t)) {}
    std::string path;
    char kind;          // 'f' file, 'd' folder, 'l' symbolic link, 'h' hard link
    std::string target; // of a link: as the link holds it, or under the test folder
};
using LinuxTree = std::map<std::string, std::string>; // path -> content, "<dir>", "-> target"

// The test folder, emptied and filled with the entries; its Windows path (Z:\...\),
// ending with a backslash.
std::wstring makeLinuxTree(const std::vector<LinuxEntry>& entries);
// Every entry under the test folder, read by the shell.
LinuxTree readLinuxTree();
// The same folder as a tree: each file holding its own path.
LinuxTree treeOf(const std::vector<LinuxEntry>& entries);

} // namespace mr::test
