#include "platform/posix/folder_inodes.h"

#include "platform/posix/unique_fd.h"

#include <bit>
#include <fcntl.h>
#include <functional>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace mr {

void InodeTable::add(std::string_view name, uint64_t ino) {
    entries_.push_back({names_.size(), name.size(), ino});
    names_ += name;
}

void InodeTable::index() {
    slots_.assign(std::bit_ceil(2 * entries_.size() + 1), kEmpty);
    for (size_t i = 0; i < entries_.size(); ++i) {
        size_t slot = slotOf(name(i));
        while (slots_[slot] != kEmpty)
            slot = (slot + 1) & (slots_.size() - 1);
        slots_[slot] = i;
    }
}

std::optional<uint64_t> InodeTable::find(std::string_view wanted) const {
    for (size_t slot = slotOf(wanted); slots_[slot] != kEmpty;
         slot = (slot + 1) & (slots_.size() - 1))
        if (name(slots_[slot]) == wanted)
            return entries_[slots_[slot]].ino;
    return std::nullopt;
}

size_t InodeTable::slotOf(std::string_view name) const {
    return std::hash<std::string_view>()(name) & (slots_.size() - 1);
}

Listing openListing(int dirFd) {
    UniqueFd fd(::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return nullptr;
    Listing dir(::fdopendir(fd.get()));
    if (dir)
        fd.release(); // the stream owns it now
    return dir;
}

bool listedInodesHold(int dirFd, const std::string& name, uint64_t ino, uint64_t dev) {
    struct statfs sfs;
    struct stat st;
    return ::fstatfs(dirFd, &sfs) == 0 && sfs.f_type != OVERLAYFS_SUPER_MAGIC &&
           ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && st.st_ino == ino &&
           static_cast<uint64_t>(st.st_dev) == dev;
}

std::optional<InodeTable> listInodes(int dirFd, uint64_t* dev) {
    struct stat dirSt;
    if (::fstat(dirFd, &dirSt) != 0)
        return std::nullopt;
    InodeTable inodes;
    if (!forEachEntry(dirFd, [&](const dirent& e) { inodes.add(e.d_name, e.d_ino); }))
        return std::nullopt;
    inodes.index();
    for (size_t i = 0; i < inodes.size(); ++i) {
        const std::string name(inodes.name(i));
        if (name == "." || name == "..")
            continue;
        if (!listedInodesHold(dirFd, name, inodes.ino(i), dirSt.st_dev))
            return std::nullopt;
        break;
    }
    *dev = dirSt.st_dev;
    return inodes;
}

std::unordered_set<std::string> storedNames(int dirFd) {
    std::unordered_set<std::string> names;
    forEachEntry(dirFd, [&](const dirent& e) { names.insert(e.d_name); });
    return names;
}

} // namespace mr
