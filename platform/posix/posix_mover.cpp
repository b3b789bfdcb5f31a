#include "platform/posix/posix_mover.h"

#include "platform/posix/folder_inodes.h"
#include "platform/posix/move_no_replace.h"
#include "platform/posix/unique_fd.h"
#include "rename/records.h"
#include "text/keys.h"
#include "text/utf8.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace mr {
namespace {

// A folder of the plan, opened once.
struct Folder {
    std::string dir;
    UniqueFd fd;
    int error = 0;
    size_t moves = 0;
    // The records' file ids are the sources' inodes: no stat per file.
    bool idsAreInodes = false;
};

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
std::string tempName(std::string_view name, size_t index) {
    std::string suffix = ".~mr-" + std::to_string(::getpid()) + "-" + std::to_string(index);
    return name.size() + suffix.size() <= kMaxNameLength ? std::string(name) + suffix : suffix;
}

// A last guard: NUL would cut a new name short at the system call, so a list holding
// one moves nothing. Validation stops such names before they get here.
std::vector<RenameFailure> nulRefusals(const std::vector<FileRecord*>& files) {
    const auto holdsNul = [](const FileRecord* f) {
        return f->newName.find(u'\0') != std::u16string::npos;
    };
    std::vector<RenameFailure> refusals;
    if (std::none_of(files.begin(), files.end(), holdsNul))
        return refusals;
    for (const FileRecord* f : files)
        refusals.push_back({f->folder->path + f->name, f->folder->path + f->newName,
                            holdsNul(f) ? u"the new name holds a NUL character"
                                        : u"not renamed: another new name holds a NUL character"});
    return refusals;
}

// One step's names as the system calls take them. They are made again from the records
// where needed rather than kept: a large list then costs no memory per name here.
class StepNames {
public:
    void set(const FileRecord& file, bool viaTemp, size_t index) {
        fill(from_, file.name);
        fill(to_, file.newName);
        tmp_ = viaTemp ? tempName(to_, index) : std::string();
    }
    const char* from() const { return from_.c_str(); }
    const char* to() const { return to_.c_str(); }
    const char* tmp() const { return tmp_.c_str(); }

private:
    static void fill(std::string& out, std::u16string_view name) {
        out.clear();
        appendUtf8(out, name);
    }
    std::string from_, to_, tmp_;
};

// Flags per step.
constexpr uint8_t kViaTemp = 1; // a change of case goes through a temporary name
constexpr uint8_t kFailed = 2;

} // namespace

PosixMover::PosixMover(PosixMoverOptions options) : options_(std::move(options)) {}

void PosixMover::renameFiles(OwnerWindow, const std::vector<FileRecord*>& files) {
    failures_.clear();
    journalPath_.clear();
    journalError_.reset();
    if (files.empty())
        return;
    failures_ = nulRefusals(files);
    if (!failures_.empty())
        return;

    // The plan: each folder opened once.
    std::vector<Folder> folders;
    std::unordered_map<const FolderRecord*, uint32_t> folderIndex;
    std::vector<uint32_t> stepFolder(files.size());
    std::vector<uint8_t> flags(files.size(), 0);
    for (size_t i = 0; i < files.size(); ++i) {
        const FileRecord& file = *files[i];
        auto [it, added] = folderIndex.try_emplace(file.folder, uint32_t(folders.size()));
        if (added)
            folders.emplace_back().dir = absoluteDir(file.folder->path);
        ++folders[it->second].moves;
        stepFolder[i] = it->second;
        // Where names differing in case are one name, the direct rename would either
        // do nothing or be refused as taken.
        if (file.folder->foldCase && upperKey(file.name) == upperKey(file.newName))
            flags[i] |= kViaTemp;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        Folder& f = folders[stepFolder[i]];
        if (f.fd || f.error)
            continue;
        f.fd.reset(::open(f.dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        f.error = f.fd ? 0 : errno;
        if (f.fd && f.moves >= kListFrom)
            f.idsAreInodes = listedInodesHold(f.fd.get(), toUtf8(files[i]->name), files[i]->fileId,
                                              files[i]->folder->volume);
    }

    // No rename without a journal that can undo it.
    JournalWriter journal;
    std::vector<std::string> dirs;
    for (const Folder& f : folders)
        dirs.push_back(f.dir);
    const std::string dir =
        options_.journalDir.empty() ? journalFolder().path : options_.journalDir;
    StepNames names;
    bool written = journal.begin(dir, dirs, files.size());
    for (size_t i = 0; written && i < files.size(); ++i) {
        const FileRecord& file = *files[i];
        const Folder& folder = folders[stepFolder[i]];
        names.set(file, flags[i] & kViaTemp, i);
        // The source's identity: listed with the records, else asked now.
        PlanStep step{stepFolder[i], false, 0, 0, names.from(), names.to(), names.tmp()};
        struct stat st;
        if (folder.idsAreInodes) {
            step.known = file.fileId != 0;
            step.dev = step.known ? file.folder->volume : 0;
            step.ino = file.fileId;
        } else if (folder.fd &&
                   ::fstatat(folder.fd.get(), names.from(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            step.known = true;
            step.dev = st.st_dev;
            step.ino = st.st_ino;
        }
        journal.add(step);
    }
    if (written)
        written = journal.publish();
    if (!written) {
        journalError_ = journal.error();
        return;
    }
    journalPath_ = journal.path();

    auto fail = [&](size_t i, int error) {
        flags[i] |= kFailed;
        const FileRecord& f = *files[i];
        failures_.push_back(
            {f.folder->path + f.name, f.folder->path + f.newName, moveErrorText(error)});
    };
    size_t inBatch = 0, renamed = 0;
    auto moved = [&] {
        ++renamed;
        if (options_.afterRename)
            options_.afterRename(renamed);
    };
    std::unordered_set<uint32_t> caseFolders;
    for (size_t i = 0; i < files.size(); ++i) {
        const Folder& folder = folders[stepFolder[i]];
        const int dirFd = folder.fd.get();
        const bool viaTemp = flags[i] & kViaTemp;
        names.set(*files[i], viaTemp, i);
        const char* const from = names.from();
        const char* const to = names.to();
        const char* const tmp = names.tmp();
        int error = folder.fd ? 0 : folder.error;
        bool out = false; // the file left its old name
        if (!error && !viaTemp) {
            error = moveNoReplace(dirFd, from, dirFd, to);
            out = !error;
            if (!error)
                moved();
        } else if (!error) {
            error = moveNoReplace(dirFd, from, dirFd, tmp);
            if (!error) {
                moved();
                error = moveNoReplace(dirFd, tmp, dirFd, to);
                // Back to the old name when the second half fails; where even that
                // fails the file stands under the temporary name, which undo knows.
                out = !error || moveNoReplace(dirFd, tmp, dirFd, from) != 0;
                if (!error)
                    moved();
                caseFolders.insert(stepFolder[i]);
            }
        }
        if (error)
            fail(i, error);
        journal.progress(out, i);
        if (++inBatch == options_.batchSize) {
            journal.sync();
            inBatch = 0;
        }
    }
    journal.end();

    // A change of case is only done when the folder now stores the new spelling.
    std::unordered_map<uint32_t, std::unordered_set<std::string>> stored;
    for (uint32_t f : caseFolders)
        stored[f] = storedNames(folders[f].fd.get());
    for (size_t i = 0; i < files.size(); ++i) {
        if (!(flags[i] & kViaTemp) || (flags[i] & kFailed) || !stored.count(stepFolder[i]))
            continue;
        names.set(*files[i], true, i);
        if (!stored[stepFolder[i]].count(names.to()))
            failures_.push_back({files[i]->folder->path + files[i]->name,
                                 files[i]->folder->path + files[i]->newName,
                                 u"the folder did not take the new spelling"});
    }
}

std::unique_ptr<Mover> makePlatformMover() {
    return std::make_unique<PosixMover>();
}

} // namespace mr
