#pragma once
// A record set of one folder whose listed files all take part, without a disk.
#include "rename/records.h"
#include "support/memory_file_system.h"

#include <string>
#include <vector>

namespace mr::test {

inline void fillNameSet(RecordSet& set, const std::vector<std::u16string>& names,
                        const std::u16string& folder = u"C:\\Data\\") {
    MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    paths.reserve(names.size());
    for (const auto& name : names) {
        fs.add(folder, name);
        paths.push_back(folder + name);
    }
    fillRecordSet(set, paths, fs);
    set.forEachFile([](FileRecord& file) { file.takesPart = !file.hidden; });
}

inline FileRecord* fileNamed(RecordSet& set, const std::u16string& name) {
    FileRecord* found = nullptr;
    set.forEachFile([&](FileRecord& file) {
        if (file.name == name)
            found = &file;
    });
    return found;
}

} // namespace mr::test
