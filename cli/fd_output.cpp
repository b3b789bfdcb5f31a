#include "cli/fd_output.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace mr::cli {

FdOutput::FdOutput(int fd) : fd_(fd) {
    setp(buffer_, buffer_ + sizeof buffer_);
}

FdOutput::~FdOutput() {
    drain();
}

bool FdOutput::writeAll(const char* data, size_t size) {
    while (size > 0 && !error_) {
#ifdef _WIN32
        const int n =
            ::_write(fd_, data, static_cast<unsigned>(size < (1u << 30) ? size : 1u << 30));
#else
        const ssize_t n = ::write(fd_, data, size);
#endif
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error_ = n < 0 ? errno : EIO;
        else {
            data += n;
            size -= static_cast<size_t>(n);
        }
    }
    errno = error_;
    return !error_;
}

bool FdOutput::drain() {
    const bool ok = writeAll(pbase(), static_cast<size_t>(pptr() - pbase()));
    setp(buffer_, buffer_ + sizeof buffer_);
    return ok;
}

FdOutput::int_type FdOutput::overflow(int_type c) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

std::streamsize FdOutput::xsputn(const char* data, std::streamsize size) {
    if (size <= epptr() - pptr()) {
        traits_type::copy(pptr(), data, static_cast<size_t>(size));
        pbump(static_cast<int>(size));
        return size;
    }
    // Large pieces go straight out after what is buffered.
    if (!drain() || !writeAll(data, static_cast<size_t>(size)))
        return 0;
    return size;
}

int FdOutput::sync() {
    return drain() ? 0 : -1;
}

} // namespace mr::cli
