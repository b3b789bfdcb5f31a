#include "platform/win32/move_paths.h"

#include "rename/device_names.h"

#include <windows.h>

#include <algorithm>
#include <optional>

namespace mr {
namespace {

struct Identity {
    DWORD indexHigh, indexLow;
    FILETIME written;
};

std::optional<Identity> folderIdentity(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info;
    const bool read =
        GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    CloseHandle(h);
    if (!read)
        return std::nullopt;
    return Identity{info.nFileIndexHigh, info.nFileIndexLow, info.ftLastWriteTime};
}

bool sameFolder(const Identity& a, const Identity& b) {
    return a.indexHigh == b.indexHigh && a.indexLow == b.indexLow &&
           CompareFileTime(&a.written, &b.written) == 0;
}

// Wine's Unix path of a folder as a '\\?\unix\' path, or empty.
std::wstring unixNamespacePath(const std::wstring& folder) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return {};
    char* bytes = unixName(folder.c_str());
    if (!bytes)
        return {};
    std::wstring path;
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, -1, nullptr, 0);
    if (units > 1) {
        path.resize(static_cast<size_t>(units));
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, -1, path.data(), units);
        path.resize(static_cast<size_t>(units) - 1);
    }
    HeapFree(GetProcessHeap(), 0, bytes);
    if (path.empty() || path[0] != L'/')
        return {};
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    if (path.back() != L'\\')
        path += L'\\';
    return L"\\\\?\\unix" + path;
}

} // namespace

bool runningUnderWine() {
    static const bool wine =
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

std::wstring longFolderPath(const std::wstring& folder) {
    if (folder.rfind(L"\\\\?\\", 0) == 0)
        return folder;
    if (folder.rfind(L"\\\\.\\", 0) == 0)
        return L"\\\\?\\" + folder.substr(4);
    if (folder.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + folder.substr(2);
    if (folder.size() >= 3 && folder[1] == L':' && folder[2] == L'\\')
        return L"\\\\?\\" + folder;
    return folder; // only a full path can take the prefix
}

bool plainPathIsExact(std::u16string_view folder, std::u16string_view name) {
    if (folder.size() + name.size() >= MAX_PATH || folder.starts_with(u"\\\\?\\") ||
        folder.starts_with(u"\\\\.\\") || name.empty() || isDeviceName(name))
        return false;
    const auto exact = [](std::u16string_view part) {
        return part.find_first_of(u"*?") == std::u16string_view::npos &&
               (part.empty() || (part.back() != u' ' && part.back() != u'.'));
    };
    for (size_t start = 0, end; start < folder.size(); start = end + 1) {
        end = std::min(folder.find(u'\\', start), folder.size());
        if (!exact(folder.substr(start, end - start)))
            return false;
    }
    return exact(name);
}

std::wstring moveFolderPath(const std::wstring& folder, bool underWine) {
    const std::wstring usual = longFolderPath(folder);
    if (!underWine)
        return usual;
    const std::wstring unix = unixNamespacePath(folder);
    if (unix.empty())
        return usual;
    // The Unix form is used only when it opens the same folder the usual path does.
    const auto expected = folderIdentity(usual);
    const auto found = folderIdentity(unix);
    if (!expected || !found || !sameFolder(*expected, *found))
        return usual;
    return unix;
}

} // namespace mr
