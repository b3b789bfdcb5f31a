#pragma once
// --records: the folders and the host's paths of one rename, read from a JSON file
// instead of the file system.
#include "platform/file_system.h"
#include "rename/name_rules.h"

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

// The listing seam over a records file: only the listed folders can be listed.
class RecordsFileSystem final : public FileSystem {
public:
    explicit RecordsFileSystem(const RecordsInput& input) : input_(input) {}
    std::optional<FolderListing> listFolder(const std::u16string& folderPath) override;
    std::optional<std::u16string> workingDirectory() override { return input_.workingDirectory; }

private:
    const RecordsInput& input_;
};

} // namespace mr::cli
