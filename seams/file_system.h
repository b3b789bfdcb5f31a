#pragma once
// The directory listing and working directory seam. The records ask it for the
// entries of a folder; the platforms answer from the real file system, tests from
// memory.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr {

// Times are FILETIME values: 100 ns units since 1601-01-01 UTC.
struct FileDetails {
    uint64_t lastWriteTime = 0;
    uint64_t creationTime = 0;
    uint64_t size = 0;
};

struct DirEntry {
    std::u16string name;
    bool isDirectory = false;
    uint64_t fileId = 0; // the file system's number for the file (inode, file index); 0: unknown
    uint64_t lastWriteTime = 0;
    uint64_t creationTime = 0;
    uint64_t size = 0;
};

struct FolderListing {
    std::vector<DirEntry> entries; // as listed, "." and ".." included when the OS gives them
    bool caseInsensitive = false;  // the folder's file system ignores case in names
    // Times and sizes were left out (each would cost a call per entry): readDetails
    // gives them when a new name needs them.
    bool detailsPending = false;
    uint64_t volume = 0; // the file system the folder is on: file ids are unique within it
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // The entries of the folder whose path (ending with the separator) is given, or
    // nothing when it cannot be listed.
    virtual std::optional<FolderListing> listFolder(const std::u16string& folderPath) = 0;
    // The times and size of each named entry of a folder listed with detailsPending;
    // zeros for an entry that can no longer be read.
    virtual std::vector<FileDetails> readDetails(const std::u16string& folderPath,
                                                 const std::vector<std::u16string_view>& names) {
        (void)folderPath;
        return std::vector<FileDetails>(names.size());
    }
    // The process's working directory, or nothing when it cannot be read.
    virtual std::optional<std::u16string> workingDirectory() = 0;
    // Whether the folder (its path ending with the separator; empty for the working
    // directory) takes names that differ only in case for one name; false when unknown.
    virtual bool foldsCase(const std::u16string& folderPath) {
        (void)folderPath;
        return false;
    }
};

// The real file system of the platform the program runs on.
FileSystem& platformFileSystem();

constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ULL;

} // namespace mr
