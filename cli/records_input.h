#pragma once
// --records: the folders and the host's paths of one rename, read from a JSON file
// instead of the file system.
#include "rename/name_rules.h"
#include "seams/file_system.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr::cli {

struct RecordsInput {
    bool posixRules = false;
    NameRules rules = NameRules::windows();
    std::optional<std::u16string> workingDirectory;
    std::map<std::u16string, FolderListing> folders; // by the rules' folder key
    std::vector<std::u16string> paths;
};

// On a problem: nothing, and a message naming the member that is wrong.
std::optional<RecordsInput> readRecords(std::string_view jsonText, std::string& error);
// The same through a parsed document, whatever the text: the reader that decides
// every message, and the one the quick reader of the usual shape must agree with.
std::optional<RecordsInput> readRecordsTree(std::string_view jsonText, std::string& error);

// Adds a folder under the rules' key, its path ending with the separator; false when
// the folder is there already.
bool addFolder(RecordsInput& input, std::u16string path, FolderListing listing);

// The listing seam over a records file: only the listed folders can be listed.
class RecordsFileSystem final : public FileSystem {
public:
    explicit RecordsFileSystem(const RecordsInput& input) : input_(input) {}
    std::optional<FolderListing> listFolder(const std::u16string& folderPath) override;
    std::optional<std::u16string> workingDirectory() override { return input_.workingDirectory; }
    // A listed folder's "caseInsensitive": the names in it fold in the keys of paths.
    bool foldsCase(const std::u16string& folderPath) override;

private:
    const FolderListing* find(const std::u16string& folderPath) const;
    const RecordsInput& input_;
};

} // namespace mr::cli
