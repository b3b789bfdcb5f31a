#pragma once
// The corpus of real names, grouped by folder. It sits beside the repository; a
// worktree keeps it one level further up.
#include "gzip_reader.h"
#include "platform/common/utf8.h"

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace mr::test {

using CorpusFolders = std::map<std::string, std::vector<std::u16string>>;

inline std::optional<CorpusFolders> readCorpusFolders(const std::filesystem::path& sourceDir) {
    for (const char* relative :
         {"../shared/corpus/usr-files.tsv.gz", "../../shared/corpus/usr-files.tsv.gz"}) {
        const auto path = sourceDir / relative;
        if (!std::filesystem::exists(path))
            continue;
        const auto text = readGzipFile(path.string());
        if (!text)
            return std::nullopt;
        CorpusFolders folders;
        std::istringstream lines(*text);
        std::string line;
        while (std::getline(lines, line)) {
            const size_t tab = line.find('\t');
            if (tab != std::string::npos)
                folders[line.substr(0, tab)].push_back(fromUtf8(line.substr(tab + 1)));
        }
        return folders;
    }
    return std::nullopt;
}

} // namespace mr::test
