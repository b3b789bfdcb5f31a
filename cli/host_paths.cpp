#include "cli/host_paths.h"

#include "platform/common/utf8.h"

#include <optional>
#include <unordered_map>

namespace mr::cli {
namespace {

namespace fs = std::filesystem;

std::u16string fromNative(const fs::path::string_type& native) {
#ifdef _WIN32
    return std::u16string(native.begin(), native.end());
#else
    return fromUtf8(native);
#endif
}

// The folder of some arguments: its real path, or why it has none.
struct ArgFolder {
    std::u16string full; // ending with the separator
    std::error_code error;
};

// One argument: the folder as given ("." for a bare name) and its own name.
struct Split {
    fs::path::string_type parent;
    fs::path::string_type name;
};

Split splitArgument(const std::string& arg) {
#ifdef _WIN32
    const fs::path given = nativePath(arg);
    return {given.has_parent_path() ? given.parent_path().native() : fs::path(".").native(),
            given.filename().native()};
#else
    // A POSIX path splits at its last '/'; most arguments are bare names.
    const size_t cut = arg.rfind('/');
    if (cut == std::string::npos)
        return {".", arg};
    size_t end = cut;
    while (end > 0 && arg[end - 1] == '/')
        --end;
    return {end == 0 ? "/" : arg.substr(0, end), arg.substr(cut + 1)};
#endif
}

struct Argument {
    std::string text; // without trailing separators
    const ArgFolder* folder = nullptr;
};

// Whether the argument names something, and why not.
bool exists(const Argument& a, std::error_code& ec) {
    return fs::exists(fs::symlink_status(nativePath(a.text), ec));
}

// The first of the arguments (in order) that names nothing or lies in a folder that
// cannot be resolved; found[i] says that argument i is known to exist.
bool checkArguments(const std::vector<Argument>& args, const std::vector<bool>& found,
                    std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const Argument& a = args[i];
        std::error_code ec;
        // A name missing from the records may still exist: in another spelling, or
        // with a path too long for a record.
        if (!found[i] && !exists(a, ec)) {
            error = "cannot find " + a.text + (ec ? ": " + ec.message() : "");
            return false;
        }
        if (a.folder->error) {
            error = "cannot read the folder of " + a.text + ": " + a.folder->error.message();
            return false;
        }
    }
    return true;
}

} // namespace

fs::path nativePath(const std::string& utf8) {
#ifdef _WIN32
    const std::u16string wide = fromUtf8(utf8);
    return fs::path(std::wstring(wide.begin(), wide.end()));
#else
    return fs::path(utf8);
#endif
}

bool fillFromArguments(RecordSet& set, const std::vector<std::string>& argList, FileSystem& fs,
                       std::string& error) {
    // Most arguments share their folder: each spelling of a folder is resolved once.
    std::unordered_map<fs::path::string_type, ArgFolder> folders;
    std::vector<Argument> args;
    std::vector<std::u16string> paths;
    args.reserve(argList.size());
    paths.reserve(argList.size());
    std::optional<std::string> malformed;
    bool folderFailed = false;
    const fs::path::string_type dot = fs::path(".").native(), dotDot = fs::path("..").native();
    for (const std::string& given : argList) {
        Argument& a = args.emplace_back();
        a.text = given;
        while (a.text.size() > 1 &&
               (a.text.back() == '/' ||
                (fs::path::preferred_separator == '\\' && a.text.back() == '\\')))
            a.text.pop_back();
        const Split split = splitArgument(a.text);
        const fs::path::string_type& name = split.name;
        if (a.text.empty() || name.empty() || name == dot || name == dotDot) {
            malformed = "cannot rename \"" + a.text + "\": name a file or folder inside a folder";
            args.pop_back();
            break;
        }
        auto [known, added] = folders.try_emplace(split.parent);
        ArgFolder& folder = known->second;
        if (added) {
#ifdef _WIN32
            const fs::path real = fs::absolute(split.parent, folder.error).lexically_normal();
#else
            const fs::path real = fs::canonical(split.parent, folder.error);
#endif
            folder.full = fromNative(real.native());
            if (folder.full.empty() ||
                folder.full.back() != static_cast<char16_t>(fs::path::preferred_separator))
                folder.full += static_cast<char16_t>(fs::path::preferred_separator);
            folderFailed |= static_cast<bool>(folder.error);
        }
        a.folder = &folder;
        paths.push_back(folder.full + fromNative(name));
    }
    // The arguments before a malformed one, or in a folder that cannot be resolved,
    // are looked up one by one: the first problem in order is the one reported.
    if (malformed || folderFailed) {
        if (checkArguments(args, std::vector<bool>(args.size(), false), error) && malformed)
            error = *malformed;
        return false;
    }
    // Otherwise the folders' listings tell which arguments exist.
    std::vector<bool> found;
    fillRecordSet(set, paths, fs, &found);
    return checkArguments(args, found, error);
}

} // namespace mr::cli
