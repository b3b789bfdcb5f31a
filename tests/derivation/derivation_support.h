#pragma once
// Builders shared by the derivation tests and benchmark.
#include "fit_check.h"
#include "support/pattern_support.h"
#include "text/utf8.h"

#include <memory>
#include <string>
#include <vector>

namespace mr::test {

using FolderNames = std::vector<std::pair<std::u16string, std::vector<std::u16string>>>;

inline std::unique_ptr<RecordSet> makeSetOfFolders(const FolderNames& folders,
                                                   const NameRules& rules) {
    MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (const auto& [folder, names] : folders)
        for (const auto& name : names) {
            fs.add(folder, name);
            paths.push_back(folder + name);
        }
    auto set = std::make_unique<RecordSet>(rules);
    fillRecordSet(*set, paths, fs);
    return set;
}

inline std::unique_ptr<RecordSet> makeSet(const std::vector<std::u16string>& names,
                                          const NameRules& rules = NameRules::windows(),
                                          const std::u16string& folder = {}) {
    const std::u16string path =
        !folder.empty() ? folder : (rules.separator == u'\\' ? u"C:\\D\\" : u"/d/");
    return makeSetOfFolders({{path, names}}, rules);
}

} // namespace mr::test
