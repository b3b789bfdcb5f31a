// Preloaded into a program under test: records the calls that decide whether a rename
// survives a crash, and fails or kills the program at an exact one of them.
//   MR_SHIM_LOG=FILE         one line per call: "fsync PATH", "renameat2 FROM TO", ...
//   MR_SHIM_FAIL=CALL[:K]    the K-th such call (every one without K) fails with EIO
//   MR_SHIM_KILL=CALL[:K]    SIGKILL on entering the K-th such call
//   MR_SHIM_UNDER=FOLDER     only calls on paths below FOLDER count; others pass unseen
// CALL is fsync, fdatasync or renameat2 (renameat and rename count as renameat2).
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

enum Call { Fsync, Fdatasync, Rename, CallCount };
const char* const kCallNames[CallCount] = {"fsync", "fdatasync", "renameat2"};
unsigned long calls[CallCount];

// Whether the setting names this call and, with a count, this is the K-th one.
bool selects(const char* variable, Call call, unsigned long k) {
    const char* setting = std::getenv(variable);
    const size_t length = std::strlen(kCallNames[call]);
    if (!setting || std::strncmp(setting, kCallNames[call], length) != 0)
        return false;
    if (setting[length] == '\0')
        return true;
    return setting[length] == ':' && std::strtoul(setting + length + 1, nullptr, 10) == k;
}

// The path behind a descriptor, or behind a name relative to a folder descriptor.
void pathOf(int dirFd, const char* name, char* out, size_t size) {
    out[0] = '\0';
    if (name && (name[0] == '/' || dirFd == AT_FDCWD)) {
        std::snprintf(out, size, "%s", name);
        return;
    }
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", dirFd);
    const ssize_t n = ::readlink(link, out, size - 1);
    out[n < 0 ? 0 : n] = '\0';
    if (name)
        std::snprintf(out + std::strlen(out), size - std::strlen(out), "/%s", name);
}

// Written straight to the file: the line must be there if the program dies next.
void log(const char* line) {
    const char* file = std::getenv("MR_SHIM_LOG");
    if (!file)
        return;
    const int fd = ::open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    const ssize_t written = ::write(fd, line, std::strlen(line));
    (void)written;
    ::close(fd);
}

// Counts the call, logs it, and says whether it is to fail; kills when told to.
bool enter(Call call, const char* first, const char* second) {
    const char* under = std::getenv("MR_SHIM_UNDER");
    if (under && std::strncmp(first, under, std::strlen(under)) != 0)
        return false;
    const unsigned long k = ++calls[call];
    char line[8400];
    std::snprintf(line, sizeof line, "%s %s%s%s\n", kCallNames[call], first, second ? " " : "",
                  second ? second : "");
    log(line);
    if (selects("MR_SHIM_KILL", call, k))
        ::kill(::getpid(), SIGKILL);
    return selects("MR_SHIM_FAIL", call, k);
}

template <class F>
F real(const char* name) {
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

int failed() {
    errno = EIO;
    return -1;
}

int sync(Call call, int fd, const char* name) {
    char path[4096];
    pathOf(fd, nullptr, path, sizeof path);
    if (enter(call, path, nullptr))
        return failed();
    return real<int (*)(int)>(name)(fd);
}

bool enterRename(int fromDir, const char* from, int toDir, const char* to) {
    char a[4096], b[4096];
    pathOf(fromDir, from, a, sizeof a);
    pathOf(toDir, to, b, sizeof b);
    return enter(Rename, a, b);
}

} // namespace

extern "C" {

int fsync(int fd) {
    return sync(Fsync, fd, "fsync");
}

int fdatasync(int fd) {
    return sync(Fdatasync, fd, "fdatasync");
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    if (enterRename(fromDir, from, toDir, to))
        return failed();
    return real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2")(
        fromDir, from, toDir, to, flags);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    if (enterRename(fromDir, from, toDir, to))
        return failed();
    return real<int (*)(int, const char*, int, const char*)>("renameat")(fromDir, from, toDir, to);
}

int rename(const char* from, const char* to) {
    if (enterRename(AT_FDCWD, from, AT_FDCWD, to))
        return failed();
    return real<int (*)(const char*, const char*)>("rename")(from, to);
}

} // extern "C"
