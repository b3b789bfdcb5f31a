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
#include <system_error>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace mr {
namespace {

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
    size_t add(std::u16string_view name) {
        const size_t at = buffer_.size();
        appendUtf8(buffer_, name);
        buffer_ += '\0';
        return at;
    }
    std::string_view view(size_t at) const { return buffer_.c_str() + at; }
    const char* operator[](size_t at) const { return buffer_.c_str() + at; }

private:
    std::string buffer_{'\0'}; // offset 0: the empty name
};

struct Step {
    uint32_t folder = 0; // index into the plan's folders
    bool known = false;  // the source was there when the plan was written
    uint64_t dev = 0, ino = 0;
    size_t from = 0, to = 0; // names inside the folder, in StepNames
    size_t tmp = 0;          // set when a change of case goes through a temporary name; 0: none
};

// A folder of the plan, opened once.
struct Folder {
    std::string dir;
    UniqueFd fd;
    int error = 0;
    size_t moves = 0;
    std::optional<InodeTable> inodes;
    uint64_t dev = 0;
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
std::string tempName(const std::string& name, size_t index) {
    std::string suffix = ".~mr-" + std::to_string(::getpid()) + "-" + std::to_string(index);
    return name.size() + suffix.size() <= kMaxNameLength ? name + suffix : suffix;
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

    // The plan: each folder opened once, each source's identity read.
    std::vector<Folder> folders;
    std::unordered_map<const FolderRecord*, uint32_t> folderIndex;
    for (const FileRecord* file : files) {
        auto [it, added] = folderIndex.try_emplace(file->folder, uint32_t(folders.size()));
        if (added)
            folders.emplace_back().dir = absoluteDir(file->folder->path);
        ++folders[it->second].moves;
    }
    for (Folder& f : folders) {
        f.fd.reset(::open(f.dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        f.error = f.fd ? 0 : errno;
    }
    // The large folders are listed on a second core while the names are written out.
    auto listLarge = [&folders] {
        for (Folder& f : folders)
            if (f.fd && f.moves >= kListFrom)
                f.inodes = listInodes(f.fd.get(), &f.dev);
    };
    std::thread lister;
    if (std::any_of(folders.begin(), folders.end(),
                    [](const Folder& f) { return f.moves >= kListFrom; })) {
        try {
            lister = std::thread(listLarge);
        } catch (const std::system_error&) {
            listLarge();
        }
    }
    std::vector<Step> steps(files.size());
    StepNames names;
    const FolderRecord* last = nullptr;
    uint32_t lastIndex = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        const FileRecord& file = *files[i];
        Step& s = steps[i];
        if (file.folder != last) // the files of a folder mostly come together
            lastIndex = folderIndex[last = file.folder];
        s.folder = lastIndex;
        s.from = names.add(std::u16string_view(file.name));
        s.to = names.add(std::u16string_view(file.newName));
        // Where names differing in case are one name, the direct rename would either
        // do nothing or be refused as taken.
        if (file.folder->foldCase && upperKey(file.name) == upperKey(file.newName))
            s.tmp = names.add(tempName(std::string(names.view(s.to)), i));
    }
    if (lister.joinable())
        lister.join();
    for (Step& s : steps) {
        const Folder& folder = folders[s.folder];
        const std::string_view from = names.view(s.from);
        struct stat st;
        if (folder.inodes) {
            if (const auto ino = folder.inodes->find(from)) {
                s.known = true;
                s.dev = folder.dev;
                s.ino = *ino;
            }
        } else if (folder.fd &&
                   ::fstatat(folder.fd.get(), names[s.from], &st, AT_SYMLINK_NOFOLLOW) == 0) {
            s.known = true;
            s.dev = st.st_dev;
            s.ino = st.st_ino;
        }
    }

    // No rename without a journal that can undo it.
    JournalWriter journal;
    std::vector<std::string> dirs;
    for (const Folder& f : folders)
        dirs.push_back(f.dir);
    const std::string dir =
        options_.journalDir.empty() ? journalFolder().path : options_.journalDir;
    bool written = journal.begin(dir, dirs, steps.size());
    if (written) {
        for (const Step& s : steps)
            journal.add(
                {s.folder, s.known, s.dev, s.ino, names[s.from], names[s.to], names[s.tmp]});
        written = journal.publish();
    }
    if (!written) {
        journalError_ = journal.error();
        return;
    }
    journalPath_ = journal.path();

    std::vector<char> failed(files.size(), 0);
    auto fail = [&](size_t i, int error) {
        failed[i] = 1;
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
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        const Folder& folder = folders[s.folder];
        const int dirFd = folder.fd.get();
        const char* const from = names[s.from];
        const char* const to = names[s.to];
        const char* const tmp = names[s.tmp];
        int error = folder.fd ? 0 : folder.error;
        bool out = false; // the file left its old name
        if (!error && !s.tmp) {
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
                caseFolders.insert(s.folder);
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
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        if (!s.tmp || failed[i] || !stored.count(s.folder))
            continue;
        if (!stored[s.folder].count(names[s.to]))
            failures_.push_back({files[i]->folder->path + files[i]->name,
                                 files[i]->folder->path + files[i]->newName,
                                 u"the folder did not take the new spelling"});
    }
}

std::unique_ptr<Mover> makePlatformMover() {
    return std::make_unique<PosixMover>();
}

} // namespace mr
