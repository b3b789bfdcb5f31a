#include "cli/host_paths.h"

#include "seams/canonical_paths.h"
#include "text/utf8.h"

#include <algorithm>
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

// Appends a name as the record set holds it; ASCII, the usual case, widens directly.
void appendNative(std::u16string& out, const fs::path::string_type& native) {
#ifdef _WIN32
    out.append(native.begin(), native.end());
#else
    if (std::all_of(native.begin(), native.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        out.append(native.begin(), native.end());
    else
        out += fromUtf8(native);
#endif
}

// The folder of some arguments: its real path, or why it has none.
struct ArgFolder {
    fs::path real;
    std::u16string full; // ending with the separator
    std::error_code error;
};

// One argument: the folder as given ("." for a bare name) and its own name.
struct Split {
    fs::path::string_type parent;
    fs::path::string_type name;
};

Split splitArgument(std::string_view arg) {
#ifdef _WIN32
    const fs::path given = nativePath(std::string(arg));
    return {given.has_parent_path() ? given.parent_path().native() : fs::path(".").native(),
            given.filename().native()};
#else
    // A POSIX path splits at its last '/'; most arguments are bare names.
    const size_t cut = arg.rfind('/');
    if (cut == std::string::npos)
        return {".", std::string(arg)};
    size_t end = cut;
    while (end > 0 && arg[end - 1] == '/')
        --end;
    return {end == 0 ? "/" : std::string(arg.substr(0, end)), std::string(arg.substr(cut + 1))};
#endif
}

struct Argument {
    size_t index = 0;
    std::string_view text; // without trailing separators; a view into the arguments
    const ArgFolder* folder = nullptr;
    size_t path = 0; // index into the paths given to the record set
};

// Why an argument whose folder was resolved is not among the records.
UnusablePath whyNotFound(const Argument& a, const std::u16string& path, const RecordSet& set) {
    const std::string text(a.text);
    if (path.size() >= set.rules.maxPath)
        return {text, false,
                "its full path is too long (" + std::to_string(path.size()) + " characters; " +
                    std::to_string(set.rules.maxPath - 1) + " at most)",
                a.index};
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(nativePath(text), ec)))
        return {text, true, ec && ec != std::errc::no_such_file_or_directory ? ec.message() : "",
                a.index};
    fs::directory_iterator listing(a.folder->real, ec);
    if (ec)
        return {text, false, "its folder cannot be listed: " + ec.message(), a.index};
    return {text, false, "its folder's listing does not hold it", a.index};
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

std::vector<UnusablePath> fillFromArguments(RecordSet& set, const std::vector<std::string>& argList,
                                            FileSystem& fs) {
    // Most arguments share their folder: each spelling of a folder is resolved once.
    std::unordered_map<fs::path::string_type, ArgFolder> folders;
    std::vector<Argument> args;
    std::vector<std::u16string> paths;
    std::vector<UnusablePath> unusable;
    args.reserve(argList.size());
    paths.reserve(argList.size());
    const fs::path::string_type dot = fs::path(".").native(), dotDot = fs::path("..").native();
    // Most arguments name the folder of the one before: no look-up for them.
    decltype(folders)::iterator last{};
    const fs::path::string_type* lastParent = nullptr;
    for (const std::string& given : argList) {
        Argument a;
        a.index = args.size() + unusable.size();
        a.text = given;
        while (a.text.size() > 1 &&
               (a.text.back() == '/' ||
                (fs::path::preferred_separator == '\\' && a.text.back() == '\\')))
            a.text.remove_suffix(1);
        const Split split = splitArgument(a.text);
        const fs::path::string_type& name = split.name;
        if (a.text.empty() || name.empty() || name == dot || name == dotDot) {
            unusable.push_back({given, false, "name a file or folder inside a folder", a.index});
            continue;
        }
        const bool sameFolder = lastParent && *lastParent == split.parent;
        auto [known, added] =
            sameFolder ? std::pair(last, false) : folders.try_emplace(split.parent);
        last = known;
        lastParent = &known->first;
        ArgFolder& folder = known->second;
        if (added) {
#ifdef _WIN32
            folder.real = fs::absolute(split.parent, folder.error).lexically_normal();
#else
            folder.real = fs::canonical(split.parent, folder.error);
#endif
            folder.full = fromNative(folder.real.native());
            if (folder.full.empty() ||
                folder.full.back() != static_cast<char16_t>(fs::path::preferred_separator))
                folder.full += static_cast<char16_t>(fs::path::preferred_separator);
        }
        if (folder.error) {
            std::error_code ec;
            if (fs::exists(fs::symlink_status(nativePath(std::string(a.text)), ec)))
                unusable.push_back({given, false,
                                    "its folder cannot be read: " + folder.error.message(),
                                    a.index});
            else
                unusable.push_back({given, true, "", a.index});
            continue;
        }
        a.folder = &folder;
        a.path = paths.size();
        std::u16string& path = paths.emplace_back();
        path.reserve(folder.full.size() + name.size());
        path = folder.full;
        appendNative(path, name);
        args.push_back(a);
    }
    // The folders' listings tell which arguments exist; only the others are looked at.
    std::vector<bool> found;
#ifdef _WIN32
    fillRecordSet(set, canonicalPaths(paths), fs, &found);
#else
    // fs::canonical has resolved every folder above, so the paths are canonical already:
    // a second copy of each would be a large share of the run's memory.
    fillRecordSet(set, paths, fs, &found);
#endif
    for (const Argument& a : args)
        if (!found[a.path])
            unusable.push_back(whyNotFound(a, paths[a.path], set));
    std::stable_sort(
        unusable.begin(), unusable.end(),
        [](const UnusablePath& x, const UnusablePath& y) { return x.index < y.index; });
    return unusable;
}

} // namespace mr::cli
