#pragma once
// An in-memory stand-in for the directory listing: folders by exact path.
#include "seams/file_system.h"

#include <map>

namespace mr::test {

class MemoryFileSystem final : public FileSystem {
public:
    std::map<std::u16string, FolderListing> folders;
    std::optional<std::u16string> cwd;
    int detailReads = 0;

    // Adds a file entry (or a folder entry) to a folder, creating the folder.
    DirEntry& add(const std::u16string& folder, const std::u16string& name, uint64_t size = 0,
                  bool isDirectory = false) {
        DirEntry e;
        e.name = name;
        e.size = size;
        e.isDirectory = isDirectory;
        auto& entries = folders[folder].entries;
        entries.push_back(e);
        return entries.back();
    }

    std::optional<FolderListing> listFolder(const std::u16string& folderPath) override {
        auto it = folders.find(folderPath);
        if (it == folders.end())
            return std::nullopt;
        return it->second;
    }
    std::optional<std::u16string> workingDirectory() override { return cwd; }
    bool foldsCase(const std::u16string& folderPath) override {
        auto it = folders.find(folderPath);
        return it != folders.end() && it->second.caseInsensitive;
    }
    // For folders listed with detailsPending: each size is the name's position + 1.
    std::vector<FileDetails> readDetails(const std::u16string&,
                                         const std::vector<std::u16string_view>& names) override {
        ++detailReads;
        std::vector<FileDetails> details(names.size());
        for (size_t i = 0; i < names.size(); ++i)
            details[i].size = i + 1;
        return details;
    }
};

} // namespace mr::test
