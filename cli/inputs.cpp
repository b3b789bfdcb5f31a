#include "cli/inputs.h"

#include "cli/host_paths.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace mr::cli {
namespace {

std::string inputName(const std::string& name) {
    return name == "-" ? "standard input" : name;
}

std::string tooLarge(const std::string& name, size_t limit) {
    const std::string size = limit % (1 << 20) == 0 ? std::to_string(limit >> 20) + " MiB"
                                                    : std::to_string(limit) + " bytes";
    return inputName(name) + " holds more than " + size +
           ", more than any list of names or records; nothing was read";
}

// Reads through istream::read, which turns a failing read into badbit where the
// stream buffer would throw.
bool readAll(const std::string& name, std::istream& in, size_t limit, std::string& content,
             std::string& error) {
    char buffer[1 << 16];
    errno = 0;
    while (true) {
        in.read(buffer, sizeof buffer);
        const size_t got = static_cast<size_t>(in.gcount());
        if (got > limit - std::min(limit, content.size())) {
            error = tooLarge(name, limit);
            return false;
        }
        content.append(buffer, got);
        if (!in)
            break;
    }
    if (in.bad()) {
        error = "cannot read " + inputName(name) + ": " + std::strerror(errno ? errno : EIO);
        return false;
    }
    return true;
}

} // namespace

bool readInput(const std::string& name, std::istream& in, size_t limit, std::string& content,
               std::string& error) {
    content.clear();
    if (name == "-")
        return readAll(name, in, limit, content, error);
    const std::filesystem::path path = nativePath(name);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot read " + name + ": it is a folder";
        return false;
    }
    errno = 0;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot read " + name + ": " + std::strerror(errno ? errno : ENOENT);
        return false;
    }
    // One read of the whole file where its size is known; a records file can be large.
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec && size > limit) {
        error = tooLarge(name, limit);
        return false;
    }
    if (!ec && size > 0) {
        content.resize(static_cast<size_t>(size));
        file.read(content.data(), static_cast<std::streamsize>(size));
        content.resize(static_cast<size_t>(file.gcount()));
    }
    // Whatever is left (or all of it, for a pipe or a special file).
    std::string rest;
    if (!readAll(name, file, limit - std::min(limit, content.size()), rest, error))
        return false;
    content += rest;
    return true;
}

std::vector<std::string> splitPathList(std::string_view text, bool nulSeparated) {
    const char separator = nulSeparated ? '\0' : '\n';
    std::vector<std::string> paths;
    while (!text.empty()) {
        const size_t end = text.find(separator);
        std::string_view entry = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
#ifdef _WIN32
        // A Windows list ends its lines with CR LF; no Windows name holds CR.
        if (!nulSeparated && entry.ends_with('\r'))
            entry.remove_suffix(1);
#endif
        if (!entry.empty())
            paths.emplace_back(entry);
    }
    return paths;
}

} // namespace mr::cli
