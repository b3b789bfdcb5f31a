#pragma once
// How names and paths of one record set are read: the separator, how keys fold case,
// and the character that stands for a digit run while a pattern is derived.
#include <cstddef>
#include <string>
#include <string_view>

namespace mr {

struct NameRules {
    char16_t separator = u'\\';
    bool foldCase = true;         // folder path keys (and file keys) ignore case
    char16_t numberMarker = u':'; // cannot occur in a name under these rules
    size_t maxPath = 260;         // a path this long or longer is dropped

    static NameRules windows() { return {}; }
    static NameRules posix() { return {u'/', false, u'/', 4096}; }
};

// The upper-casing of keys: only 'a' to 'z' change, as in the default locale.
inline char16_t upperKeyChar(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
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
