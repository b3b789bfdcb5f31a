#include "seams/canonical_paths.h"

#include "text/utf8.h"

#include <climits>
#include <cstdlib>
#include <optional>
#include <unistd.h>
#include <unordered_map>

namespace mr {
namespace {

// The real path (links resolved, no '.' or '..'), or empty when there is none.
std::string realPath(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    if (!real)
        return {};
    std::string out(real);
    std::free(real);
    return out;
}

std::optional<std::string> workingFolder() {
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return std::nullopt;
    return std::string(buffer);
}

} // namespace

std::vector<std::u16string> canonicalPaths(const std::vector<std::u16string>& paths) {
    std::optional<std::optional<std::string>> cwd; // read once, when a relative path needs it
    std::unordered_map<std::string, std::string> folders; // as given -> real, with a '/'
    std::vector<std::u16string> out;
    out.reserve(paths.size());
    for (const std::u16string& given : paths) {
        std::string path = toUtf8(given);
        if (!path.empty() && path[0] != '/') {
            if (!cwd)
                cwd = workingFolder();
            path = *cwd ? **cwd + "/" + path : std::string();
        }
        if (path.empty()) {
            out.emplace_back();
            continue;
        }
        size_t cut = path.rfind('/');
        std::string name = path.substr(cut + 1);
        if (name == "." || name == "..") {
            // A folder named through itself or its child: its real path, split again.
            path = realPath(path);
            cut = path.rfind('/');
            name = path.substr(cut + 1);
            if (path.empty() || name.empty()) {
                out.emplace_back();
                continue;
            }
            out.push_back(fromUtf8(path));
            continue;
        }
        auto [it, added] = folders.try_emplace(path.substr(0, cut + 1));
        if (added) {
            const std::string real = realPath(it->first);
            // A folder that cannot be resolved cannot be listed: its paths stay as given.
            it->second = real.empty() ? it->first : real == "/" ? real : real + "/";
        }
        out.push_back(fromUtf8(it->second + name));
    }
    return out;
}

} // namespace mr
