#pragma once
// The corpus of real names, grouped by folder; the build unpacks it to MR_CORPUS_TSV
// (empty when the corpus is not beside the repository).
#include "text/utf8.h"

#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mr::test {

using CorpusFolders = std::map<std::string, std::vector<std::u16string>>;

inline std::optional<CorpusFolders> readCorpusFolders() {
    std::ifstream lines(MR_CORPUS_TSV, std::ios::binary);
    if (!lines)
        return std::nullopt;
    CorpusFolders folders;
    std::string line;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        if (tab != std::string::npos)
            folders[line.substr(0, tab)].push_back(fromUtf8(line.substr(tab + 1)));
    }
    return folders;
}

} // namespace mr::test
