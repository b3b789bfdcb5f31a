#include "platform/file_system.h"
#include "platform/win32/wide.h"

#include <windows.h>

namespace mr {
namespace {

uint64_t toU64(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

class Win32FileSystem final : public FileSystem {
public:
    std::optional<FolderListing> listFolder(const std::u16string& folderPath) override {
        const std::wstring pattern = toWide(folderPath) + L"*";
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return std::nullopt;
        FolderListing listing;
        listing.caseInsensitive = true;
        do {
            DirEntry entry;
            entry.name = fromWide(data.cFileName);
            entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entry.lastWriteTime = toU64(data.ftLastWriteTime);
            entry.creationTime = toU64(data.ftCreationTime);
            entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            listing.entries.push_back(std::move(entry));
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return listing;
    }

    std::optional<std::u16string> workingDirectory() override {
        wchar_t buffer[MAX_PATH];
        const DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
        if (n == 0 || n >= MAX_PATH)
            return std::nullopt;
        return fromWide(std::wstring_view(buffer, n));
    }
};

} // namespace

FileSystem& platformFileSystem() {
    static Win32FileSystem fs;
    return fs;
}

} // namespace mr
