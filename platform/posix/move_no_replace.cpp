#include "platform/posix/move_no_replace.h"

#include "text/utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace mr {

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

std::u16string moveErrorText(int error) {
    if (error == EEXIST || error == ENOTEMPTY)
        return u"the new name is taken";
    return fromUtf8(std::strerror(error));
}

} // namespace mr
