#pragma once
// Builders shared by the derivation tests.
#include "fit_check.h"
#include "pattern/derivation.h"
#include "platform/common/utf8.h"
#include "rename/records.h"
#include "support/memory_file_system.h"

#include <memory>
#include <string>
#include <vector>

namespace mr::test {

// A record set listing `names` (all passed by the host) in one or more folders.
inline std::unique_ptr<RecordSet> makeSet(const std::vector<std::u16string>& names,
                                          const NameRules& rules = NameRules::windows(),
                                          const std::u16string& folder = {}) {
    const std::u16string path =
        !folder.empty() ? folder : (rules.separator == u'\\' ? u"C:\\D\\" : u"/d/");
    MemoryFileSystem fs;
    std::vector<std::u16string> paths;
    for (const auto& n : names) {
        fs.add(path, n);
        paths.push_back(path + n);
    }
    auto set = std::make_unique<RecordSet>(rules);
    fillRecordSet(*set, paths, fs);
    return set;
}

// The base pattern of names taken in the given order (no extensions split off).
inline std::u16string baseOf(const std::vector<std::u16string>& names, bool detectNumbers,
                             const NameRules& rules = NameRules::windows()) {
    DerivationContext context(detectNumbers, rules);
    context.names = names;
    return deriveBasePattern(context);
}

} // namespace mr::test
