#pragma once
// Which inode each name of a folder holds, from one listing: a large undo asks once per
// folder instead of once per file, and a large rename trusts the inodes its records
// were listed with once one of them is seen to hold.
#include <cstddef>
#include <cstdint>
#include <dirent.h>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace mr {

// From this many files in a folder on, one listing is cheaper than a stat per file.
constexpr size_t kListFrom = 64;

// Inode numbers by name: the names side by side and an open-addressing table of
// positions, with no allocation per entry.
class InodeTable {
public:
    void add(std::string_view name, uint64_t ino);
    void index();
    std::optional<uint64_t> find(std::string_view wanted) const;
    size_t size() const { return entries_.size(); }
    std::string_view name(size_t i) const {
        return std::string_view(names_).substr(entries_[i].at, entries_[i].size);
    }
    uint64_t ino(size_t i) const { return entries_[i].ino; }

private:
    static constexpr size_t kEmpty = static_cast<size_t>(-1);
    struct Entry {
        size_t at, size;
        uint64_t ino;
    };
    size_t slotOf(std::string_view name) const;
    std::string names_;
    std::vector<Entry> entries_;
    std::vector<size_t> slots_;
};

// The table of the folder open at dirFd, where the listing's inode numbers are those
// that stat gives (checked on one entry; never trusted on overlay mounts); dev is the
// folder's device.
std::optional<InodeTable> listInodes(int dirFd, uint64_t* dev);

// Whether a listing's inode numbers of the folder open at dirFd are those that stat
// gives: one of its files (name, listed as ino on device dev) is asked; never on overlay
// mounts, where they differ.
bool listedInodesHold(int dirFd, const std::string& name, uint64_t ino, uint64_t dev);

// Calls f(const dirent&) for every entry of the folder open at dirFd; false when it
// cannot be listed.
template <class F>
bool forEachEntry(int dirFd, F&& f);

// Names present in a folder, exactly as stored.
std::unordered_set<std::string> storedNames(int dirFd);

struct ListingCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using Listing = std::unique_ptr<DIR, ListingCloser>;

// The folder at dirFd as a listing stream of its own; null when it cannot be listed.
Listing openListing(int dirFd);

template <class F>
bool forEachEntry(int dirFd, F&& f) {
    const Listing dir = openListing(dirFd);
    if (!dir)
        return false;
    while (const dirent* e = ::readdir(dir.get()))
        f(*e);
    return true;
}

} // namespace mr
