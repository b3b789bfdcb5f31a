#include "seams/file_system.h"
#include "text/utf8.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace mr {
namespace {

uint64_t toFileTime(const statx_timestamp& t) {
    if (t.tv_sec < -11644473600LL) // before 1601: not representable
        return 0;
    return kUnixEpochAsFileTime + static_cast<uint64_t>(t.tv_sec) * 10000000ULL + t.tv_nsec / 100;
}

// Folders on FAT-like file systems, and ext4 folders with the casefold attribute,
// treat names that differ only in case as the same name.
bool folderFoldsCase(int dirFd) {
    struct statfs fs {};
    if (fstatfs(dirFd, &fs) == 0) {
        switch (static_cast<unsigned long>(fs.f_type)) {
        case MSDOS_SUPER_MAGIC:
        case 0x2011BAB0UL: // exfat
        case 0x7366746EUL: // ntfs3
        case 0x5346544EUL: // ntfs
            return true;
        default:
            break;
        }
    }
    long flags = 0;
#ifdef FS_CASEFOLD_FL
    if (ioctl(dirFd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL))
        return true;
#endif
    return false;
}

// What the listing shows may be what the local cache holds (network mounts).
constexpr unsigned kStatFlags = AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_DONT_SYNC;

FileDetails detailsOf(const struct statx& st) {
    FileDetails details;
    details.size = st.stx_size;
    details.lastWriteTime = toFileTime(st.stx_mtime);
    // The birth time where the file system keeps one, else the change time.
    details.creationTime = toFileTime((st.stx_mask & STATX_BTIME) ? st.stx_btime : st.stx_ctime);
    return details;
}

class PosixFileSystem final : public FileSystem {
public:
    // Names and kinds only: one call per folder batch instead of one per entry. The
    // listing's type is enough unless the file system does not give it.
    std::optional<FolderListing> listFolder(const std::u16string& folderPath) override {
        const std::string path = toUtf8(folderPath);
        DIR* dir = opendir(path.c_str());
        if (!dir)
            return std::nullopt;
        const int fd = dirfd(dir);
        FolderListing listing;
        listing.caseInsensitive = folderFoldsCase(fd);
        listing.detailsPending = true;
        struct stat folder {};
        if (fstat(fd, &folder) == 0)
            listing.volume = static_cast<uint64_t>(folder.st_dev);
        while (const dirent* e = readdir(dir)) {
            DirEntry& entry = listing.entries.emplace_back();
            entry.name = fromUtf8(e->d_name);
            entry.isDirectory = e->d_type == DT_DIR;
            entry.fileId = e->d_ino;
            struct statx st {};
            if (e->d_type == DT_UNKNOWN && statx(fd, e->d_name, kStatFlags, STATX_TYPE, &st) == 0)
                entry.isDirectory = S_ISDIR(st.stx_mode);
        }
        closedir(dir);
        return listing;
    }

    std::vector<FileDetails> readDetails(const std::u16string& folderPath,
                                         const std::vector<std::u16string_view>& names) override {
        std::vector<FileDetails> details(names.size());
        const int fd = ::open(toUtf8(folderPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return details;
        std::string name;
        for (size_t i = 0; i < names.size(); ++i) {
            name = toUtf8(names[i]);
            struct statx st {};
            if (statx(fd, name.c_str(), kStatFlags,
                      STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_CTIME | STATX_BTIME, &st) == 0)
                details[i] = detailsOf(st);
        }
        ::close(fd);
        return details;
    }

    bool foldsCase(const std::u16string& folderPath) override {
        const std::string path = folderPath.empty() ? "." : toUtf8(folderPath);
        const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        const bool folds = folderFoldsCase(fd);
        ::close(fd);
        return folds;
    }

    std::optional<std::u16string> workingDirectory() override {
        char buffer[PATH_MAX];
        if (!getcwd(buffer, sizeof buffer))
            return std::nullopt;
        return fromUtf8(buffer);
    }
};

} // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem fs;
    return fs;
}

} // namespace mr
