#include "seams/canonical_paths.h"

#include "platform/win32/move_guard.h"
#include "platform/win32/move_paths.h"
#include "platform/win32/wide.h"

#include <windows.h>

#include <algorithm>
#include <compare>
#include <map>
#include <optional>
#include <unordered_map>

namespace mr {
namespace {

bool startsWith(const std::wstring& s, std::wstring_view prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// 'C:\x' from '\\?\C:\x' (or '\\.\C:\x'), '\\server\x' from '\\?\UNC\server\x'; a path
// in another namespace ('\\?\unix\...' under Wine) stays as it is.
std::wstring withoutLongPrefix(const std::wstring& path) {
    if (startsWith(path, L"\\\\?\\UNC\\"))
        return L"\\\\" + path.substr(8);
    if ((startsWith(path, L"\\\\?\\") || startsWith(path, L"\\\\.\\")) && path.size() >= 6 &&
        path[5] == L':' && (path.size() == 6 || path[6] == L'\\'))
        return path.substr(4);
    return path;
}

// How long the root of a full path is: 'C:\' or '\\server\share\'.
size_t rootLength(const std::wstring& path) {
    if (!startsWith(path, L"\\\\"))
        return std::min<size_t>(3, path.size());
    const size_t server = path.find(L'\\', 2);
    const size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
    return share == std::wstring::npos ? path.size() : share + 1;
}

std::wstring currentFolder(wchar_t drive = 0) {
    // A drive's own current folder is what the system makes of 'X:'.
    const wchar_t driveOnly[] = {drive, L':', 0};
    std::wstring out(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n =
            drive ? GetFullPathNameW(driveOnly, static_cast<DWORD>(out.size()), out.data(), nullptr)
                  : GetCurrentDirectoryW(static_cast<DWORD>(out.size()), out.data());
        if (n == 0)
            return {};
        if (n < out.size()) {
            out.resize(n);
            return out;
        }
        out.resize(n);
    }
}

// The full path of `path` against the working folder `cwd`, with '.' and '..' resolved
// here: the system's own resolution also trims a trailing space or period from the last
// name, which then names another file. Empty when there is nothing to resolve.
std::wstring fullPath(std::wstring path, const std::wstring& cwd) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    path = withoutLongPrefix(path);
    if (path.empty() || startsWith(path, L"\\\\?\\") || startsWith(path, L"\\\\.\\"))
        return path;
    const bool driveAbsolute = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    if (!driveAbsolute && !startsWith(path, L"\\\\")) {
        std::wstring base = path.size() >= 2 && path[1] == L':' ? currentFolder(path[0]) : cwd;
        if (base.empty())
            return {};
        if (path.size() >= 2 && path[1] == L':')
            path.erase(0, 2);
        else if (path[0] == L'\\')
            base.resize(rootLength(base)), path.erase(0, 1);
        if (base.back() != L'\\')
            base += L'\\';
        path = base + path;
    }
    // Without '.', '..' or a doubled separator there is nothing to walk.
    const size_t root = rootLength(path);
    if (path.find(L"\\.", root - 1) == std::wstring::npos &&
        path.find(L"\\\\", root) == std::wstring::npos)
        return path;
    std::vector<std::wstring_view> names;
    const std::wstring_view rest = std::wstring_view(path).substr(root);
    bool folderOnly = false; // the path ends with a separator: it names a folder to scan
    for (size_t start = 0; start <= rest.size();) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring_view::npos)
            end = rest.size();
        const std::wstring_view name = rest.substr(start, end - start);
        folderOnly = name.empty();
        if (name == L"..") {
            if (!names.empty())
                names.pop_back();
        } else if (!name.empty() && name != L".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    std::wstring out = path.substr(0, root);
    for (size_t i = 0; i < names.size(); ++i)
        out.append(names[i]).append(i + 1 < names.size() || folderOnly ? L"\\" : L"");
    return out;
}

struct FileKey {
    DWORD volume, high, low;
    auto operator<=>(const FileKey&) const = default;
};

class Handle {
public:
    // The folder or file of exactly this name ('\\?\' path).
    explicit Handle(const std::wstring& path)
        : h_(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
    ~Handle() {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    std::optional<FileKey> key() const {
        BY_HANDLE_FILE_INFORMATION info;
        if (h_ == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(h_, &info))
            return std::nullopt;
        return FileKey{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    }
    // The path the file system gives for it: long names, links resolved. Wine leaves
    // out a trailing space or period, so callers check it reaches the same file.
    std::wstring finalPath() const {
        if (h_ == INVALID_HANDLE_VALUE)
            return {};
        std::wstring out(MAX_PATH, L'\0');
        for (;;) {
            const DWORD n =
                GetFinalPathNameByHandleW(h_, out.data(), static_cast<DWORD>(out.size()), 0);
            if (n == 0)
                return {};
            if (n < out.size()) {
                out.resize(n);
                return withoutLongPrefix(out);
            }
            out.resize(n);
        }
    }

private:
    HANDLE h_;
};

std::optional<FileKey> keyOf(const std::wstring& path) {
    return Handle(path).key();
}

struct CompareAsFileSystem {
    bool operator()(const std::wstring& a, const std::wstring& b) const {
        return compareAsFileSystem(fromWide(a), fromWide(b)) == CSTR_LESS_THAN;
    }
};

// Each folder spelling once, and each folder (by its file id) under one spelling.
class Folders {
public:
    const std::wstring& canonical(const std::wstring& folder) {
        auto [it, added] = bySpelling_.try_emplace(folder);
        if (added)
            it->second = resolve(folder);
        return it->second;
    }

private:
    std::wstring resolve(const std::wstring& folder) {
        const Handle handle(longFolderPath(folder));
        const std::optional<FileKey> key = handle.key();
        if (!key)
            return folder; // cannot be listed either: its paths are dropped
        if (auto known = byId_.find(*key); known != byId_.end())
            return known->second;
        std::wstring path = handle.finalPath();
        if (!path.empty() && path.back() != L'\\')
            path += L'\\';
        if (path.empty() || keyOf(longFolderPath(path)) != key)
            path = folder;
        // Two folders whose paths differ only in case (Linux folders under Wine) cannot
        // both be told apart by the records: the later one's paths name nothing.
        if (auto [other, fresh] = byPath_.try_emplace(path, *key); !fresh && other->second != *key)
            path.clear();
        return byId_[*key] = path;
    }

    std::unordered_map<std::wstring, std::wstring> bySpelling_;
    std::map<FileKey, std::wstring> byId_;
    std::map<std::wstring, FileKey, CompareAsFileSystem> byPath_;
};

// A short name ('VERY~NH4.TEX') as the long name of the same file; any other name as
// given, which the records look up as the folder lists it.
std::wstring longName(const std::wstring& folder, const std::wstring& name) {
    if (name.find_first_of(L"*?") != std::wstring::npos)
        return name;
    const Handle handle(longFolderPath(folder) + name);
    const std::wstring path = handle.finalPath();
    const std::wstring found = path.substr(path.rfind(L'\\') + 1);
    if (found.empty() || found == name || keyOf(longFolderPath(folder) + found) != handle.key())
        return name;
    return found;
}

// A full path with nothing to resolve: most paths of a selection.
bool plainFullPath(std::u16string_view path) {
    return path.size() >= 3 && path[1] == u':' && path[2] == u'\\' &&
           path.find(u'/') == std::u16string_view::npos &&
           path.find(u"\\.", 2) == std::u16string_view::npos &&
           path.find(u"\\\\", 2) == std::u16string_view::npos;
}

} // namespace

std::vector<std::u16string> canonicalPaths(const std::vector<std::u16string>& paths) {
    const std::wstring cwd = currentFolder();
    Folders folders;
    std::u16string lastFolder; // paths of one folder mostly come together
    const std::wstring* canonical = nullptr;
    std::vector<std::u16string> out;
    out.reserve(paths.size());
    for (const std::u16string& given : paths) {
        std::u16string resolved;
        std::u16string_view path = given;
        if (!plainFullPath(given))
            path = resolved = fromWide(fullPath(toWide(given), cwd));
        const size_t cut = path.rfind(u'\\');
        if (cut == std::u16string_view::npos) {
            out.emplace_back();
            continue;
        }
        const std::u16string_view folder = path.substr(0, cut + 1), name = path.substr(cut + 1);
        if (!canonical || folder != lastFolder) {
            lastFolder = folder;
            canonical = &folders.canonical(toWide(folder));
        }
        std::u16string& result = out.emplace_back();
        if (canonical->empty())
            continue;
        result.reserve(canonical->size() + name.size());
        result.assign(reinterpret_cast<const char16_t*>(canonical->data()), canonical->size());
        if (name.find(u'~') == std::u16string_view::npos)
            result += name;
        else
            result += fromWide(longName(*canonical, toWide(name)));
    }
    return out;
}

} // namespace mr
