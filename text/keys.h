#pragma once
// Keys: names as a file system that ignores case compares them, by the simple
// one-to-one upper-case mapping of each code unit.
#include "text/case_mapping.h"

#include <string>
#include <string_view>

namespace mr {

inline char16_t upperKeyChar(char16_t c) {
    return toSimpleUpper(c);
}

// Upper-cases a key in place. Most names are ASCII only, and then both loops here run
// many units at a time; the table maps unit by unit.
inline void foldKey(char16_t* first, char16_t* last) {
    char16_t bits = 0;
    for (const char16_t* p = first; p != last; ++p)
        bits |= *p;
    if (bits < 0x80)
        for (char16_t* p = first; p != last; ++p)
            *p = static_cast<char16_t>(*p - ((*p >= u'a' && *p <= u'z') ? (u'a' - u'A') : 0));
    else
        for (char16_t* p = first; p != last; ++p)
            *p = upperKeyChar(*p);
}

// The key into a buffer that is reused from name to name.
inline void assignKey(std::u16string& key, std::u16string_view text, bool foldCase) {
    key.assign(text);
    if (foldCase)
        foldKey(key.data(), key.data() + key.size());
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
