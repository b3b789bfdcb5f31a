#include "cli/messages.h"

#include "cli/terminal_text.h"

#include <cerrno>
#include <cstring>

namespace mr::cli {

void sayError(std::ostream& err, std::string_view message) {
    err << "multirename: " << displayText(message) << '\n';
}

void sayLines(std::ostream& err, std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        err << displayText(text.substr(0, end)) << '\n';
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

std::optional<std::string> outputFailure(std::ostream& out, std::ostream& err) {
    // Straight to the buffer: a stream that has failed no longer passes a flush on, and
    // the buffer tells why it failed.
    errno = 0;
    const bool synced = !out.rdbuf() || out.rdbuf()->pubsync() == 0;
    if (!synced || !out.flush()) {
        const std::string reason = "cannot write to standard output: " +
                                   std::string(errno ? std::strerror(errno) : "write error");
        sayError(err, reason);
        err.flush();
        return reason;
    }
    if (!err.flush())
        return "cannot write to standard error";
    return std::nullopt;
}

} // namespace mr::cli
