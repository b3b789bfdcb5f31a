#pragma once
// Patterns and record sets for the pattern engine's tests, without a disk.
#include "pattern/field_capture.h"
#include "pattern/parser.h"
#include "rename/records.h"
#include "support/memory_file_system.h"

#include <string>
#include <vector>

namespace mr::test {

inline NamePattern parsed(std::u16string_view base, std::u16string_view ext = u"",
                          bool includeExtension = false) {
    NamePattern p;
    parsePattern(base, ext, p, includeExtension);
    return p;
}

// One folder whose listed files all take part.
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

// A wildcard field with the settings the Change Wild dialog gives it.
inline PatternToken wildcard(bool truncate, int32_t length, CaseMode caseMode) {
    PatternToken t;
    t.kind = TokenKind::Wildcard;
    t.truncate = truncate;
    t.length = length;
    t.caseMode = caseMode;
    return t;
}

// A number field with the settings the Change Number dialog gives it.
inline PatternToken numberField(bool clear, bool renumber, ZeroMode zeroMode, int64_t start = -1,
                                int32_t length = 0) {
    PatternToken t;
    t.kind = TokenKind::Number;
    t.clearNumber = clear;
    t.renumber = renumber;
    t.zeroMode = zeroMode;
    t.startNumber = start;
    t.length = length;
    return t;
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
