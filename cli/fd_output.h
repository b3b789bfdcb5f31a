#pragma once
// Standard output through its file descriptor. A failed write keeps its reason: every
// later call fails with it in errno, so that the message says why ("No space left on
// device") however long after the failure the stream is flushed.
#include <streambuf>

namespace mr::cli {

class FdOutput final : public std::streambuf {
public:
    explicit FdOutput(int fd);
    ~FdOutput() override;

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

private:
    bool writeAll(const char* data, size_t size);
    bool drain();

    int fd_;
    int error_ = 0;
    char buffer_[1 << 16];
};

} // namespace mr::cli
