#include "platform/posix/journal.h"

#include "platform/posix/folder_inodes.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mr {
namespace {

constexpr std::string_view kMagic1 = "multirename journal 1\n";
constexpr std::string_view kMagic2 = "multirename journal 2\n";
constexpr std::string_view kPlanEnd = "PLAN END\n";
constexpr std::string_view kPrefix = "journal-";
constexpr size_t kChunk = 1 << 20;

bool writeAll(int fd, std::string_view text, int* error) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? errno : EIO;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

int mkdirs(const std::string& path) {
    for (size_t cut = 1; cut <= path.size(); ++cut) {
        if (cut < path.size() && path[cut] != '/')
            continue;
        if (::mkdir(path.substr(0, cut).c_str(), 0700) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

void appendNumber(std::string& out, uint64_t n) {
    char digits[20];
    const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
    out.append(digits, end);
}

std::string fileName(uint64_t sequence) {
    char name[48];
    std::snprintf(name, sizeof name, "journal-%020llu", static_cast<unsigned long long>(sequence));
    return name;
}

// The highest sequence among the journals of the folder.
uint64_t highestSequence(int dirFd) {
    uint64_t highest = 0;
    forEachEntry(dirFd, [&](const dirent& e) {
        if (const auto s = journalSequence(e.d_name))
            highest = std::max(highest, *s);
    });
    return highest;
}

// Reads a number ending with '\n' at pos.
bool readNumberLine(std::string_view text, size_t& pos, uint64_t& value) {
    const auto [end, ec] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (ec != std::errc() || end == text.data() + pos || end == text.data() + text.size() ||
        *end != '\n')
        return false;
    pos = static_cast<size_t>(end - text.data()) + 1;
    return true;
}

// Skips a NUL-ended text at pos; its offset, or 0 when the text is cut short.
size_t skipText(std::string_view text, size_t& pos) {
    const size_t end = text.find('\0', pos);
    if (end == std::string_view::npos)
        return 0;
    const size_t at = pos;
    pos = end + 1;
    return at;
}

// The plan: false when it is cut short or malformed.
bool readPlan(Journal& j, size_t& pos, bool withSteps) {
    const std::string_view text = j.text;
    uint64_t folderCount = 0, count = 0;
    if (!readNumberLine(text, pos, folderCount) || folderCount > text.size())
        return false;
    for (uint64_t i = 0; i < folderCount; ++i) {
        if (text.compare(pos, 2, "F ") != 0)
            return false;
        pos += 2;
        const size_t at = skipText(text, pos);
        if (!at || pos >= text.size() || text[pos++] != '\n')
            return false;
        j.folders.emplace_back(text.substr(at, pos - 2 - at));
    }
    if (!readNumberLine(text, pos, count) || count > text.size())
        return false;
    j.planned = count;
    if (withSteps)
        j.steps.reserve(count);
    for (uint64_t i = 0; i < count; ++i) {
        // "R dev ino known folder", then the three names.
        if (text.compare(pos, 2, "R ") != 0)
            return false;
        pos += 2;
        uint64_t fields[4];
        for (size_t f = 0; f < 4; ++f) {
            const auto [end, ec] =
                std::from_chars(text.data() + pos, text.data() + text.size(), fields[f]);
            if (ec != std::errc() || end == text.data() + text.size() ||
                *end != (f == 3 ? '\n' : ' '))
                return false;
            pos = static_cast<size_t>(end - text.data()) + 1;
        }
        if (fields[3] >= j.folders.size())
            return false;
        Journal::Step s;
        s.folder = static_cast<uint32_t>(fields[3]);
        s.dev = fields[0];
        s.ino = fields[1];
        s.known = fields[2] == 1;
        s.from = skipText(text, pos);
        s.to = s.from ? skipText(text, pos) : 0;
        const size_t tmp = s.to ? skipText(text, pos) : 0;
        if (!tmp || pos >= text.size() || text[pos++] != '\n')
            return false;
        s.tmp = text[tmp] ? tmp : 0;
        if (withSteps)
            j.steps.push_back(s);
    }
    if (text.compare(pos, kPlanEnd.size(), kPlanEnd) != 0)
        return false;
    pos += kPlanEnd.size();
    return true;
}

// The lines after the plan.
void readProgress(Journal& j, size_t pos) {
    const std::string_view text = j.text;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            break; // a line cut short by a crash
        const std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (line.starts_with("D "))
            ++j.moved;
        else if (line.starts_with("F "))
            ++j.failed;
        else if (line == "END")
            j.ended = true;
        else if (line.starts_with("UNDONE")) {
            j.undone = true;
            uint64_t n = 0;
            if (line.size() > 7)
                std::from_chars(line.data() + 7, line.data() + line.size(), n);
            j.undoFailures = n;
        }
    }
}

} // namespace

JournalFolder journalFolder() {
    // A relative XDG_STATE_HOME is to be ignored.
    if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg && *xdg == '/')
        return {std::string(xdg) + "/multirename", {}};
    if (const char* home = std::getenv("HOME"); home && *home)
        return {std::string(home) + "/.local/state/multirename", {}};
    return {{}, "neither XDG_STATE_HOME nor HOME names a folder for it"};
}

bool JournalWriter::fail(const std::string& path, int error) {
    error_ = {path, std::strerror(error)};
    fd_.reset();
    return false;
}

bool JournalWriter::begin(const std::string& dir, const std::vector<std::string>& folders,
                          size_t steps) {
    dir_ = dir;
    if (dir.empty()) {
        error_ = {{}, journalFolder().why};
        return false;
    }
    if (const int e = mkdirs(dir))
        return fail(dir, e);
    dirFd_.reset(::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd_)
        return fail(dir, errno);
    sequence_ = highestSequence(dirFd_.get()) + 1;
    path_ = dir + "/" + fileName(sequence_);
    // A file without a name until its plan is whole; where the file system has no
    // such files, the plan is written under its name.
    fd_.reset(::openat(dirFd_.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (!fd_) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return fail(path_, errno);
        if (!openNamed())
            return false;
    }
    buffer_.reserve(kChunk + 4096);
    buffer_ = kMagic2;
    buffer_ += "when ";
    appendNumber(buffer_, static_cast<uint64_t>(std::time(nullptr)));
    buffer_ += '\n';
    appendNumber(buffer_, folders.size());
    buffer_ += '\n';
    for (const auto& f : folders) {
        buffer_ += "F ";
        buffer_ += f;
        buffer_ += std::string_view("\0\n", 2);
    }
    appendNumber(buffer_, steps);
    buffer_ += '\n';
    return true;
}

bool JournalWriter::openNamed() {
    named_ = true;
    for (int tries = 0; tries < 1000; ++tries, path_ = dir_ + "/" + fileName(++sequence_)) {
        fd_.reset(::openat(dirFd_.get(), fileName(sequence_).c_str(),
                           O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd_)
            return true;
        if (errno != EEXIST)
            return fail(path_, errno);
    }
    return fail(path_, EEXIST);
}

void JournalWriter::add(const PlanStep& s) {
    buffer_ += "R ";
    appendNumber(buffer_, s.dev);
    buffer_ += ' ';
    appendNumber(buffer_, s.ino);
    buffer_ += s.known ? " 1 " : " 0 ";
    appendNumber(buffer_, s.folder);
    buffer_ += '\n';
    for (std::string_view name : {s.from, s.to, s.tmp}) {
        buffer_ += name;
        buffer_ += '\0';
    }
    buffer_ += '\n';
    if (buffer_.size() >= kChunk)
        flush();
}

bool JournalWriter::flush() {
    ok_ = ok_ && fd_ && writeAll(fd_.get(), buffer_, &writeError_);
    buffer_.clear();
    return ok_;
}

bool JournalWriter::link() {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd_.get());
    for (int tries = 0; tries < 1000; ++tries, path_ = dir_ + "/" + fileName(++sequence_)) {
        const std::string name = fileName(sequence_);
        if (::linkat(AT_FDCWD, proc.c_str(), dirFd_.get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == ENOENT && // no /proc: by the descriptor itself, where allowed
            ::linkat(fd_.get(), "", dirFd_.get(), name.c_str(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != EEXIST)
            return fail(path_, errno);
    }
    return fail(path_, EEXIST);
}

bool JournalWriter::publish() {
    buffer_ += kPlanEnd;
    if (!flush())
        return fail(path_, writeError_);
    if (::fsync(fd_.get()) != 0)
        return fail(path_, errno);
    if (!named_ && !link())
        return false;
    ::fsync(dirFd_.get());
    return true;
}

void JournalWriter::progress(bool moved, size_t index) {
    buffer_ += moved ? "D " : "F ";
    appendNumber(buffer_, index);
    buffer_ += '\n';
}

void JournalWriter::sync() {
    // Progress only helps --undo list the run; undo never trusts it.
    flush();
    if (fd_)
        ::fdatasync(fd_.get());
}

void JournalWriter::end() {
    buffer_ += "END\n";
    sync();
    fd_.reset();
}

RunState Journal::state() const {
    if (!planComplete)
        return RunState::Unfinished;
    if (undone)
        return RunState::Undone;
    if (!ended)
        return RunState::Interrupted;
    return moved ? RunState::Renamed : RunState::MovedNothing;
}

std::optional<Journal> readJournal(const std::string& path, bool withSteps, int* error) {
    *error = 0;
    Journal j;
    j.path = path;
    const size_t slash = path.rfind('/');
    j.sequence = journalSequence(std::string_view(path).substr(slash + 1)).value_or(0);
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (!fd || ::fstat(fd.get(), &st) != 0) {
        *error = errno;
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        *error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    j.text.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < j.text.size()) {
        const ssize_t n = ::read(fd.get(), j.text.data() + got, j.text.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = errno;
            return std::nullopt;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    j.text.resize(got);
    j.when = st.st_mtime;
    size_t pos = 0;
    const std::string_view text = j.text;
    if (text.starts_with(kMagic2)) {
        pos = kMagic2.size();
        uint64_t when = 0;
        if (text.compare(pos, 5, "when ") != 0 || !readNumberLine(text, pos += 5, when))
            return j; // cut short: unfinished
        j.when = static_cast<int64_t>(when);
    } else if (text.starts_with(kMagic1)) {
        pos = kMagic1.size();
    } else if (!text.empty() && !kMagic2.starts_with(text.substr(0, kMagic2.size()))) {
        return std::nullopt; // not a journal at all
    } else {
        return j; // cut short before the first line was whole
    }
    j.planComplete = readPlan(j, pos, withSteps);
    if (j.planComplete)
        readProgress(j, pos);
    else
        j.steps.clear();
    return j;
}

std::optional<uint64_t> journalSequence(std::string_view name) {
    if (!name.starts_with(kPrefix))
        return std::nullopt;
    name.remove_prefix(kPrefix.size());
    uint64_t sequence = 0;
    const auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), sequence);
    // "journal-<sequence>", or "journal-<time>-<pid>" from before sequences.
    if (ec != std::errc() || end == name.data() ||
        (end != name.data() + name.size() && *end != '-'))
        return std::nullopt;
    return sequence;
}

std::vector<JournalEntry> journalsIn(const std::string& dir) {
    std::vector<JournalEntry> out;
    UniqueFd dirFd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dirFd)
        return out;
    forEachEntry(dirFd.get(), [&](const dirent& e) {
        if (const auto s = journalSequence(e.d_name))
            out.push_back({*s, dir + "/" + e.d_name});
    });
    std::sort(out.begin(), out.end(), [](const JournalEntry& a, const JournalEntry& b) {
        return a.sequence != b.sequence ? a.sequence > b.sequence : a.path > b.path;
    });
    return out;
}

void markUndone(const std::string& path, size_t failures) {
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
    if (!fd)
        return;
    std::string line = "UNDONE ";
    appendNumber(line, failures);
    line += '\n';
    int error = 0;
    if (writeAll(fd.get(), line, &error))
        ::fdatasync(fd.get());
}

} // namespace mr
