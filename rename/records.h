#pragma once
// The model of one rename: every folder the host's paths point into, and every entry
// of each such folder as listed once when the rename starts.
#include "rename/file_status.h"
#include "rename/name_rules.h"
#include "seams/file_system.h"
#include "text/keys.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr {

struct FolderRecord;

struct FileRecord {
    // The name with the folder's key folding; orders the file set.
    std::u16string_view key() const;
    std::u16string name;        // old name, exactly as listed
    uint64_t lastWriteTime = 0; // FILETIME, UTC
    uint64_t creationTime = 0;
    uint64_t size = 0;
    uint64_t fileId = 0;     // from the listing: the mover checks it is still this file
    bool takesPart = false;  // renamed by the pattern
    bool hidden = true;      // not in the names list
    bool pastedName = false; // newName came from the clipboard
    FileStatus status = FileStatus::Pending;
    uint32_t listPosition = 0;   // 0-based row in the names list
    uint32_t folderPosition = 0; // 0-based among the listed files of its folder
    std::u16string newName;
    FolderRecord* folder = nullptr;
};

struct FolderRecord {
    std::u16string pathKey;
    std::u16string path;        // as first given, always ending with the separator
    bool foldCase = true;       // file keys ignore case (the folder's file system does)
    bool lengthInBytes = false; // names are stored as UTF-8 and limited in bytes
    bool deviceNames = true;    // a name such as NUL opens a device (Windows rules)
    // Sorted by key(), unique; absent until scanned. Never resized after the scan,
    // so references to its records stay valid for the life of the set.
    std::optional<std::vector<FileRecord>> files;
    // The keys of the files that differ from their names, by position; empty where none
    // does, so that a folder whose keys are exact holds each name once.
    std::vector<std::u16string> foldedKeys;
    std::vector<FileRecord*> renameOrder;
    uint64_t volume = 0; // from the listing, with the files' ids
    // Set while the listing left out times and sizes: where to read them.
    FileSystem* detailsSource = nullptr;
};

inline std::u16string_view FileRecord::key() const {
    if (folder && !folder->foldedKeys.empty() && folder->files) {
        const FileRecord* first = folder->files->data();
        const std::less_equal<const FileRecord*> atMost;
        if (atMost(first, this) && !atMost(first + folder->foldedKeys.size(), this)) {
            const std::u16string& folded = folder->foldedKeys[static_cast<size_t>(this - first)];
            if (!folded.empty())
                return folded;
        }
    }
    return name;
}

class RecordSet {
public:
    explicit RecordSet(NameRules rules = NameRules::windows()) : rules(rules) {}
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    NameRules rules;
    std::map<std::u16string, std::unique_ptr<FolderRecord>> folders; // by pathKey
    FileStatus summaryStatus = FileStatus::Good;
    bool anyChange = false;

    // The canonical walk: folders in pathKey order, files in key() order.
    template <class F>
    void forEachFile(F&& f) {
        for (auto& [key, folder] : folders)
            if (folder->files)
                for (auto& file : *folder->files)
                    f(file);
    }
    template <class F>
    void forEachFile(F&& f) const {
        for (const auto& [key, folder] : folders)
            if (folder->files)
                for (const auto& file : *folder->files)
                    f(file);
    }
    size_t fileCount() const;
};

// True when some path names a listed entry. With found, also says which: found[i] for
// paths[i].
bool fillRecordSet(RecordSet& set, const std::vector<std::u16string>& paths, FileSystem& fs,
                   std::vector<bool>* found = nullptr);
// The same over paths given one at a time, each as its folder (ending with the separator;
// empty: the working directory) and its name, valid until the next call: a caller with
// many names in few folders need not hold a whole path for each.
struct SplitPath {
    std::u16string_view folder, name;
};
bool fillRecordSet(RecordSet& set, size_t count, const std::function<SplitPath(size_t)>& pathAt,
                   FileSystem& fs, std::vector<bool>* found = nullptr);
// The folder whose key is the path's key under the set's rules; where keys are exact,
// fillRecordSet also folds the names in the path that lie in folders ignoring case.
FolderRecord& findOrAddFolder(RecordSet& set, std::u16string_view folderPath);
void scanFolder(FolderRecord& folder, const NameRules& rules, FileSystem& fs);
// Reads the times and sizes that listings left out; new names that show them call
// this first.
void readFileDetails(RecordSet& set);
FileRecord* findFile(FolderRecord& folder, std::u16string_view name);
const FileRecord* findFile(const FolderRecord& folder, std::u16string_view name);
void clearRecordSet(RecordSet& set);

} // namespace mr
