#include "platform/win32/move_paths.h"
#include "platform/win32/wide.h"
#include "seams/file_system.h"

#include <windows.h>

#include <memory>

namespace mr {
namespace {

uint64_t toU64(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

uint64_t toU64(const LARGE_INTEGER& v) {
    return static_cast<uint64_t>(v.QuadPart);
}

DirEntry makeEntry(std::wstring_view name, DWORD attributes, uint64_t lastWriteTime,
                   uint64_t creationTime, uint64_t size, uint64_t fileId = 0) {
    DirEntry entry;
    entry.name = fromWide(name);
    entry.isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.fileId = fileId;
    entry.lastWriteTime = lastWriteTime;
    entry.creationTime = creationTime;
    entry.size = size;
    return entry;
}

// One large buffer per call: under Wine each batch is a trip into the system, and the
// find-file loop makes one per entry.
constexpr DWORD kBatchBytes = 1 << 20;

// The folder's entries with their file ids, read in large batches through its handle.
// Nothing when the folder cannot be opened or the system does not offer the batch
// read, so that the caller falls back to the find-file loop. The '\\?\' path opens the
// folder of exactly this name: Win32 would trim a trailing space or period.
std::optional<FolderListing> listInBatches(const std::u16string& folderPath) {
    HANDLE dir = CreateFileW(longFolderPath(toWide(folderPath)).c_str(), FILE_LIST_DIRECTORY,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (dir == INVALID_HANDLE_VALUE)
        return std::nullopt;
    // DWORD-sized pieces keep the records' fields aligned.
    std::unique_ptr<DWORD[]> buffer(new DWORD[kBatchBytes / sizeof(DWORD)]);
    FolderListing listing;
    listing.caseInsensitive = true;
    BY_HANDLE_FILE_INFORMATION folder;
    if (GetFileInformationByHandle(dir, &folder))
        listing.volume = folder.dwVolumeSerialNumber;
    while (GetFileInformationByHandleEx(dir, FileIdBothDirectoryInfo, buffer.get(), kBatchBytes)) {
        const char* at = reinterpret_cast<const char*>(buffer.get());
        for (;;) {
            const auto& info = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
            listing.entries.push_back(
                makeEntry(std::wstring_view(info.FileName, info.FileNameLength / 2),
                          info.FileAttributes, toU64(info.LastWriteTime), toU64(info.CreationTime),
                          toU64(info.EndOfFile), toU64(info.FileId)));
            if (info.NextEntryOffset == 0)
                break;
            at += info.NextEntryOffset;
        }
    }
    const bool complete = GetLastError() == ERROR_NO_MORE_FILES;
    CloseHandle(dir);
    if (!complete)
        return std::nullopt;
    return listing;
}

std::optional<FolderListing> listOneByOne(const std::u16string& folderPath) {
    const std::wstring pattern = longFolderPath(toWide(folderPath)) + L"*";
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FolderListing listing;
    listing.caseInsensitive = true;
    do {
        listing.entries.push_back(
            makeEntry(data.cFileName, data.dwFileAttributes, toU64(data.ftLastWriteTime),
                      toU64(data.ftCreationTime),
                      (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return listing;
}

class Win32FileSystem final : public FileSystem {
public:
    std::optional<FolderListing> listFolder(const std::u16string& folderPath) override {
        if (auto listing = listInBatches(folderPath))
            return listing;
        return listOneByOne(folderPath);
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
