#include "platform/posix/posix_mover.h"

#include "platform/common/utf8.h"
#include "rename/name_rules.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace mr {
namespace {

constexpr std::string_view kMagic = "multirename journal 1\n";
constexpr std::string_view kPlanEnd = "PLAN END\n";

// The names of every step side by side, each ending with a NUL: a large rename makes
// no allocation per name.
class StepNames {
public:
    size_t add(std::string_view name) {
        const size_t at = buffer_.size();
        buffer_ += name;
        buffer_ += '\0';
        return at;
    }
    const char* operator[](size_t at) const { return buffer_.c_str() + at; }

private:
    std::string buffer_{'\0'}; // offset 0: the empty name
};

struct Step {
    uint32_t folder = 0; // index into the journal's folders
    bool known = false;  // the source was there when the plan was written
    int dirFd = -1;
    int openError = 0;
    uint64_t dev = 0, ino = 0;
    size_t from = 0, to = 0; // names inside the folder, in StepNames
    size_t tmp = 0;          // set when a change of case goes through a temporary name; 0: none
};

std::u16string reason(int error) {
    if (error == EEXIST || error == ENOTEMPTY)
        return u"the new name is taken";
    return fromUtf8(std::strerror(error));
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// 0 or the error. Falls back to a check before the rename where the file system has
// no RENAME_NOREPLACE; that leaves a small window that renameat2 does not have.
int moveNoReplace(int fromDir, const char* from, int toDir, const char* to) {
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    struct stat st;
    if (::fstatat(toDir, to, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return ::renameat(fromDir, from, toDir, to) == 0 ? 0 : errno;
}

bool mkdirs(const std::string& path) {
    for (size_t cut = 1; cut <= path.size(); ++cut) {
        if (cut < path.size() && path[cut] != '/')
            continue;
        const std::string part = path.substr(0, cut);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

std::string absoluteDir(const std::u16string& folderPath) {
    std::string dir = toUtf8(folderPath);
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    if (dir.front() != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd))
            dir = std::string(cwd) + (std::string_view(cwd) == "/" ? "" : "/") + dir;
    }
    return dir;
}

// Unique within the run; short enough for any name limit.
std::string tempName(const std::string& name, size_t index) {
    std::string suffix = ".~mr-" + std::to_string(::getpid()) + "-" + std::to_string(index);
    return name.size() + suffix.size() <= 255 ? name + suffix : suffix;
}

void fsyncDir(const std::string& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes through a bounded buffer: the plan of a large rename never sits in memory
// twice.
class JournalWriter {
public:
    explicit JournalWriter(int fd) : fd_(fd) { buffer_.reserve(kChunk + 4096); }
    JournalWriter& operator<<(std::string_view text) {
        buffer_ += text;
        if (buffer_.size() >= kChunk)
            flush();
        return *this;
    }
    JournalWriter& operator<<(uint64_t n) {
        char digits[20];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        return *this << std::string_view(digits, static_cast<size_t>(end - digits));
    }
    JournalWriter& operator<<(char c) { return *this << std::string_view(&c, 1); }
    bool flush() {
        ok_ = ok_ && writeAll(fd_, buffer_);
        buffer_.clear();
        return ok_;
    }

private:
    static constexpr size_t kChunk = 1 << 20;
    int fd_;
    bool ok_ = true;
    std::string buffer_;
};

// The plan: every folder once, then each rename with its source's identity.
bool writePlan(int fd, const std::vector<std::string>& dirs, const std::vector<Step>& steps,
               const StepNames& names) {
    JournalWriter out(fd);
    out << kMagic << uint64_t{dirs.size()} << '\n';
    for (const auto& dir : dirs)
        out << "F " << dir << '\0' << '\n';
    out << uint64_t{steps.size()} << '\n';
    for (const Step& s : steps) {
        out << "R " << s.dev << ' ' << s.ino << ' ' << uint64_t{s.known} << ' '
            << uint64_t{s.folder} << '\n';
        out << std::string_view(names[s.from]) << '\0' << std::string_view(names[s.to]) << '\0'
            << std::string_view(names[s.tmp]) << '\0' << '\n';
    }
    out << kPlanEnd;
    return out.flush();
}

// Names present in a folder, exactly as stored.
std::unordered_set<std::string> storedNames(int dirFd) {
    std::unordered_set<std::string> names;
    const int fd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return names;
    if (DIR* dir = ::fdopendir(fd)) {
        while (const dirent* e = ::readdir(dir))
            names.insert(e->d_name);
        ::closedir(dir);
    } else {
        ::close(fd);
    }
    return names;
}

// From this many moves in a folder on, one listing gives the sources' inodes instead
// of one stat per file.
constexpr size_t kListFrom = 64;

// Inode numbers by name from one listing: the names side by side and an open-addressing
// table of positions, with no allocation per entry.
class InodeTable {
public:
    void add(std::string_view name, uint64_t ino) {
        entries_.push_back({names_.size(), name.size(), ino});
        names_ += name;
    }
    void index() {
        slots_.assign(std::bit_ceil(2 * entries_.size() + 1), kEmpty);
        for (size_t i = 0; i < entries_.size(); ++i) {
            size_t slot = slotOf(name(i));
            while (slots_[slot] != kEmpty)
                slot = (slot + 1) & (slots_.size() - 1);
            slots_[slot] = i;
        }
    }
    std::optional<uint64_t> find(std::string_view wanted) const {
        for (size_t slot = slotOf(wanted); slots_[slot] != kEmpty;
             slot = (slot + 1) & (slots_.size() - 1))
            if (name(slots_[slot]) == wanted)
                return entries_[slots_[slot]].ino;
        return std::nullopt;
    }
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
    size_t slotOf(std::string_view name) const {
        return std::hash<std::string_view>()(name) & (slots_.size() - 1);
    }
    std::string names_;
    std::vector<Entry> entries_;
    std::vector<size_t> slots_;
};

// Inode by name from one listing, where the listing's inode numbers are those that
// stat gives (checked on one entry; never trusted on overlay mounts).
std::optional<InodeTable> listInodes(int dirFd, uint64_t* dev) {
    struct statfs sfs;
    struct stat dirSt;
    if (::fstatfs(dirFd, &sfs) != 0 || sfs.f_type == OVERLAYFS_SUPER_MAGIC ||
        ::fstat(dirFd, &dirSt) != 0)
        return std::nullopt;
    const int fd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    InodeTable inodes;
    while (const dirent* e = ::readdir(dir))
        inodes.add(e->d_name, e->d_ino);
    ::closedir(dir);
    inodes.index();
    for (size_t i = 0; i < inodes.size(); ++i) {
        const std::string name(inodes.name(i));
        if (name == "." || name == "..")
            continue;
        struct stat st;
        if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            st.st_ino != inodes.ino(i) || st.st_dev != dirSt.st_dev)
            return std::nullopt;
        break;
    }
    *dev = dirSt.st_dev;
    return inodes;
}

} // namespace

std::string defaultJournalDir() {
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/')
        return std::string(xdg) + "/multirename";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/state/multirename";
    return {};
}

std::optional<std::string> latestJournal(const std::string& dirArg) {
    const std::string dir = dirArg.empty() ? defaultJournalDir() : dirArg;
    DIR* d = dir.empty() ? nullptr : ::opendir(dir.c_str());
    if (!d)
        return std::nullopt;
    std::string best;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name.starts_with("journal-") && name > best)
            best = name;
    }
    ::closedir(d);
    if (best.empty())
        return std::nullopt;
    return dir + "/" + best;
}

PosixMover::PosixMover(PosixMoverOptions options) : options_(std::move(options)) {}

void PosixMover::renameFiles(OwnerWindow, const std::vector<FileRecord*>& files) {
    failures_.clear();
    journalPath_.clear();
    if (files.empty())
        return;

    struct Folder {
        std::string dir;
        int fd = -1;
        int error = 0;
        size_t moves = 0;
        std::optional<InodeTable> inodes;
        uint64_t dev = 0;
        uint32_t index = 0;
    };
    std::vector<std::string> dirs;
    std::unordered_map<const FolderRecord*, Folder> folders;
    for (const FileRecord* file : files)
        ++folders[file->folder].moves;
    std::vector<Step> steps(files.size());
    StepNames names;
    const FolderRecord* last = nullptr;
    Folder* folder = nullptr;
    for (size_t i = 0; i < files.size(); ++i) {
        const FileRecord& file = *files[i];
        if (file.folder != last) {
            last = file.folder;
            folder = &folders[last];
            if (folder->dir.empty()) {
                folder->dir = absoluteDir(last->path);
                folder->index = static_cast<uint32_t>(dirs.size());
                dirs.push_back(folder->dir);
                folder->fd = ::open(folder->dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
                folder->error = folder->fd < 0 ? errno : 0;
                if (folder->fd >= 0 && folder->moves >= kListFrom)
                    folder->inodes = listInodes(folder->fd, &folder->dev);
            }
        }
        Step& s = steps[i];
        s.folder = folder->index;
        s.dirFd = folder->fd;
        s.openError = folder->error;
        const std::string from = toUtf8(file.name);
        const std::string to = toUtf8(file.newName);
        s.from = names.add(from);
        s.to = names.add(to);
        // Where names differing in case are one name, the direct rename would either
        // do nothing or be refused as taken.
        if (last->foldCase && upperKey(file.name) == upperKey(file.newName))
            s.tmp = names.add(tempName(to, i));
        struct stat st;
        if (folder->inodes) {
            if (const auto ino = folder->inodes->find(from)) {
                s.known = true;
                s.dev = folder->dev;
                s.ino = *ino;
            }
        } else if (s.dirFd >= 0 &&
                   ::fstatat(s.dirFd, from.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            s.known = true;
            s.dev = st.st_dev;
            s.ino = st.st_ino;
        }
    }
    auto closeAll = [&] {
        for (auto& [key, f] : folders)
            if (f.fd >= 0)
                ::close(f.fd);
    };
    std::vector<char> failed(files.size(), 0);
    auto fail = [&](size_t i, int error) {
        failed[i] = 1;
        const FileRecord& f = *files[i];
        failures_.push_back({f.folder->path + f.name, f.folder->path + f.newName, reason(error)});
    };

    // No rename without a journal that can undo it.
    const std::string dir = options_.journalDir.empty() ? defaultJournalDir() : options_.journalDir;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    char name[64];
    std::snprintf(name, sizeof name, "journal-%020lld-%d",
                  static_cast<long long>(std::chrono::nanoseconds(now).count()),
                  static_cast<int>(::getpid()));
    const std::string path = dir + "/" + name;
    int journal = -1;
    if (!dir.empty() && mkdirs(dir))
        journal = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600);
    if (journal < 0 || !writePlan(journal, dirs, steps, names) || ::fsync(journal) != 0) {
        const int error = journal < 0 ? errno : EIO;
        if (journal >= 0) {
            ::close(journal);
            ::unlink(path.c_str());
        }
        for (size_t i = 0; i < files.size(); ++i) {
            fail(i, error);
            failures_.back().reason = u"the journal cannot be written: " + reason(error);
        }
        closeAll();
        return;
    }
    fsyncDir(dir);
    journalPath_ = path;

    std::string progress;
    size_t inBatch = 0, renamed = 0;
    auto moved = [&] {
        ++renamed;
        if (options_.afterRename)
            options_.afterRename(renamed);
    };
    std::unordered_set<int> caseFolders;
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const char* const from = names[s.from];
        const char* const to = names[s.to];
        const char* const tmp = names[s.tmp];
        int error = s.dirFd < 0 ? s.openError : 0;
        if (!error && !s.tmp) {
            error = moveNoReplace(s.dirFd, from, s.dirFd, to);
            if (!error)
                moved();
        } else if (!error) {
            error = moveNoReplace(s.dirFd, from, s.dirFd, tmp);
            if (!error) {
                moved();
                error = moveNoReplace(s.dirFd, tmp, s.dirFd, to);
                if (error)
                    moveNoReplace(s.dirFd, tmp, s.dirFd, from);
                else
                    moved();
                caseFolders.insert(s.dirFd);
            }
        }
        if (error)
            fail(i, error);
        char line[24] = {error ? 'F' : 'D', ' '};
        char* end = std::to_chars(line + 2, line + sizeof line - 1, i).ptr;
        *end++ = '\n';
        progress.append(line, end);
        if (++inBatch == options_.batchSize) {
            writeAll(journal, progress);
            ::fdatasync(journal);
            progress.clear();
            inBatch = 0;
        }
    }
    progress += "END\n";
    writeAll(journal, progress);
    ::fdatasync(journal);
    ::close(journal);

    // A change of case is only done when the folder now stores the new spelling.
    std::unordered_map<int, std::unordered_set<std::string>> stored;
    for (int fd : caseFolders)
        stored[fd] = storedNames(fd);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (!s.tmp || failed[i] || !stored.count(s.dirFd))
            continue;
        if (!stored[s.dirFd].count(names[s.to]))
            failures_.push_back({files[i]->folder->path + files[i]->name,
                                 files[i]->folder->path + files[i]->newName,
                                 u"the folder did not take the new spelling"});
    }
    closeAll();
}

namespace {

struct JournalStep {
    std::string from, to, tmp;
    bool known = false;
    uint64_t dev = 0, ino = 0;
};

// Reads a count line at pos.
bool readCount(const std::string& text, size_t& pos, unsigned long long& count) {
    const size_t end = text.find('\n', pos);
    if (end == std::string::npos || end == pos)
        return false;
    char* stop = nullptr;
    count = std::strtoull(text.c_str() + pos, &stop, 10);
    pos = end + 1;
    return stop == text.c_str() + end;
}

// Reads a NUL-terminated text at pos.
bool readText(const std::string& text, size_t& pos, std::string& out) {
    const size_t end = text.find('\0', pos);
    if (end == std::string::npos)
        return false;
    out.assign(text, pos, end - pos);
    pos = end + 1;
    return true;
}

bool parseJournal(const std::string& text, std::vector<JournalStep>& steps) {
    if (!text.starts_with(kMagic))
        return false;
    size_t pos = kMagic.size();
    unsigned long long folderCount = 0, count = 0;
    if (!readCount(text, pos, folderCount))
        return false;
    std::vector<std::string> dirs;
    for (unsigned long long i = 0; i < folderCount; ++i) {
        std::string dir;
        if (text.compare(pos, 2, "F ") != 0 || !readText(text, pos += 2, dir) ||
            pos >= text.size() || text[pos++] != '\n')
            return false;
        dirs.push_back(std::move(dir));
    }
    if (!readCount(text, pos, count))
        return false;
    for (unsigned long long i = 0; i < count; ++i) {
        JournalStep s;
        // One line "R dev ino known folder"; no sscanf, which measures the whole rest.
        if (text.compare(pos, 2, "R ") != 0)
            return false;
        unsigned long long fields[4];
        const char* p = text.c_str() + pos + 2;
        for (auto& field : fields) {
            char* stop = nullptr;
            field = std::strtoull(p, &stop, 10);
            if (stop == p || (*stop != ' ' && *stop != '\n'))
                return false;
            p = stop + 1;
        }
        if (p[-1] != '\n' || fields[3] >= dirs.size())
            return false;
        pos = static_cast<size_t>(p - text.c_str());
        const auto [dev, ino, known, folder] = fields;
        for (std::string* name : {&s.from, &s.to, &s.tmp}) {
            if (!readText(text, pos, *name))
                return false;
            if (!name->empty())
                name->insert(0, dirs[folder]);
        }
        if (pos >= text.size() || text[pos] != '\n')
            return false;
        ++pos;
        s.known = known == 1;
        s.dev = dev;
        s.ino = ino;
        steps.push_back(std::move(s));
    }
    return text.compare(pos, kPlanEnd.size(), kPlanEnd) == 0;
}

} // namespace

UndoReport undoFromJournal(const std::string& journalPath) {
    UndoReport report;
    std::string text;
    if (FILE* f = std::fopen(journalPath.c_str(), "rb")) {
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            text.append(buffer, n);
        std::fclose(f);
    }
    std::vector<JournalStep> steps;
    if (!parseJournal(text, steps))
        return report;
    report.journalRead = true;

    auto holds = [](const std::string& path, const JournalStep& s) {
        struct stat st;
        return !path.empty() && ::lstat(path.c_str(), &st) == 0 && st.st_dev == s.dev &&
               st.st_ino == s.ino;
    };
    auto back = [&](const JournalStep& s, const std::string& at) {
        // A change of case goes back through a temporary name of its own.
        if (!s.tmp.empty() && at == s.to) {
            const std::string tmp = s.tmp + ".undo";
            if (const int e = moveNoReplace(AT_FDCWD, at.c_str(), AT_FDCWD, tmp.c_str()))
                return e;
            if (const int e = moveNoReplace(AT_FDCWD, tmp.c_str(), AT_FDCWD, s.from.c_str())) {
                moveNoReplace(AT_FDCWD, tmp.c_str(), AT_FDCWD, at.c_str());
                return e;
            }
            return 0;
        }
        return moveNoReplace(AT_FDCWD, at.c_str(), AT_FDCWD, s.from.c_str());
    };
    // Newest first: a folder renamed after its contents is back before them.
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        const JournalStep& s = *it;
        if (!s.known) {
            ++report.alreadyInPlace;
            continue;
        }
        std::string at;
        if (holds(s.tmp, s))
            at = s.tmp;
        else if (s.tmp.empty() && holds(s.from, s))
            at = s.from;
        else if (holds(s.to, s))
            at = s.to;
        else if (holds(s.from, s))
            at = s.from;
        if (at.empty()) {
            report.failures.push_back({fromUtf8(s.from), fromUtf8(s.to), u"the file is gone"});
        } else if (at == s.from) {
            ++report.alreadyInPlace;
        } else if (const int e = back(s, at)) {
            report.failures.push_back({fromUtf8(at), fromUtf8(s.from), reason(e)});
        } else {
            ++report.restored;
        }
    }
    if (const int fd = ::open(journalPath.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC); fd >= 0) {
        writeAll(fd, "UNDONE\n");
        ::fdatasync(fd);
        ::close(fd);
    }
    return report;
}

std::unique_ptr<Mover> makePlatformMover() {
    return std::make_unique<PosixMover>();
}

} // namespace mr
