#pragma once
// How names and paths of one record set are read: the separator, how keys fold case,
// the character that stands for a digit run while a pattern is derived, and how the
// length of a name is counted.
#include "platform/common/case_mapping.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace mr {

struct NameRules {
    char16_t separator = u'\\';
    bool foldCase = true;         // folder path keys (and file keys) ignore case
    char16_t numberMarker = u':'; // cannot occur in a name under these rules
    size_t maxPath = 260;         // a path this long or longer is dropped
    bool lengthInBytes = false;   // names are stored as UTF-8 and limited in bytes

    static NameRules windows() { return {}; }
    static NameRules posix() { return {u'/', false, u'/', 4096, true}; }
};

// The upper-casing of keys: a file system that ignores case compares names by the
// simple one-to-one upper-case mapping of each code unit, so keys do too.
inline char16_t upperKeyChar(char16_t c) {
    return toSimpleUpper(c);
}

// The key into a buffer that is reused from name to name.
inline void assignKey(std::u16string& key, std::u16string_view text, bool foldCase) {
    key.assign(text);
    if (foldCase)
        for (auto& c : key)
            c = upperKeyChar(c);
}

inline std::u16string makeKey(std::u16string_view text, bool foldCase) {
    std::u16string key;
    assignKey(key, text, foldCase);
    return key;
}

inline std::u16string upperKey(std::u16string_view text) {
    return makeKey(text, true);
}

} // namespace mr
