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
void appendNative(std::u16string& out, std::basic_string_view<fs::path::value_type> native) {
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
    const ArgFolder* folder = nullptr;
    uint32_t index = 0; // among the arguments
    uint32_t end = 0;   // the argument without trailing separators is its text up to here
    uint32_t name = 0;  // its name: the bytes before end (POSIX)
};

// Why an argument whose folder was resolved is not among the records.
UnusablePath whyNotFound(const Argument& a, const std::string& given, size_t pathSize,
                         const RecordSet& set) {
    const std::string text = given.substr(0, a.end);
    if (pathSize >= set.rules.maxPath)
        return {text, false,
                "its full path is too long (" + std::to_string(pathSize) + " characters; " +
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
    std::vector<UnusablePath> unusable;
    args.reserve(argList.size());
    const fs::path::string_type dot = fs::path(".").native(), dotDot = fs::path("..").native();
    // Most arguments name the folder of the one before: no look-up for them.
    decltype(folders)::iterator last{};
    const fs::path::string_type* lastParent = nullptr;
    for (const std::string& given : argList) {
        const auto index = static_cast<uint32_t>(args.size() + unusable.size());
        std::string_view text = given;
        while (text.size() > 1 && (text.back() == '/' ||
                                   (fs::path::preferred_separator == '\\' && text.back() == '\\')))
            text.remove_suffix(1);
        const Split split = splitArgument(text);
        const fs::path::string_type& name = split.name;
        if (text.empty() || name.empty() || name == dot || name == dotDot) {
            unusable.push_back({given, false, "name a file or folder inside a folder", index});
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
            if (fs::exists(fs::symlink_status(nativePath(std::string(text)), ec)))
                unusable.push_back(
                    {given, false, "its folder cannot be read: " + folder.error.message(), index});
            else
                unusable.push_back({given, true, "", index});
            continue;
        }
        args.push_back({&folder, index, static_cast<uint32_t>(text.size()),
                        static_cast<uint32_t>(name.size())});
    }
    // An argument's full path: its folder's real path and its name.
    auto nameOf = [&](const Argument& a, std::u16string& out) {
        out.clear();
        const std::string_view text = std::string_view(argList[a.index]).substr(0, a.end);
#ifdef _WIN32
        appendNative(out, splitArgument(text).name);
#else
        appendNative(out, text.substr(text.size() - a.name));
#endif
    };
    std::vector<bool> found;
#ifdef _WIN32
    // The folders above are only made absolute: canonicalPaths gives each file the
    // system's own spelling.
    std::vector<std::u16string> paths;
    paths.reserve(args.size());
    for (const Argument& a : args) {
        nameOf(a, paths.emplace_back());
        paths.back().insert(0, a.folder->full);
    }
    fillRecordSet(set, canonicalPaths(paths), fs, &found);
#else
    // fs::canonical has resolved every folder above, so folder and name are the
    // canonical path already; no whole path is kept for each of many arguments.
    std::u16string name;
    fillRecordSet(
        set, args.size(),
        [&](size_t i) {
            nameOf(args[i], name);
            return SplitPath{args[i].folder->full, name};
        },
        fs, &found);
#endif
    std::u16string path;
    for (size_t i = 0; i < args.size(); ++i)
        if (!found[i]) {
            nameOf(args[i], path);
            unusable.push_back(whyNotFound(args[i], argList[args[i].index],
                                           args[i].folder->full.size() + path.size(), set));
        }
    std::stable_sort(
        unusable.begin(), unusable.end(),
        [](const UnusablePath& x, const UnusablePath& y) { return x.index < y.index; });
    return unusable;
}

} // namespace mr::cli
