#pragma once
// How names and paths of one record set are read: the separator, how keys fold case,
// the character that stands for a digit run while a pattern is derived, and how the
// length of a name is counted.
#include <cstddef>
#include <string_view>

namespace mr {

// The longest name: in UTF-16 units, or in bytes where names are stored as UTF-8.
constexpr size_t kMaxNameLength = 255;

// Windows names never hold these; on every system they would be read as separators,
// wildcards or redirections somewhere along the way.
constexpr std::u16string_view kForbiddenNameChars = u"<>:\"/\\|?*";

constexpr bool isForbiddenNameChar(char16_t c) {
    return kForbiddenNameChars.find(c) != std::u16string_view::npos;
}

struct NameRules {
    char16_t separator = u'\\';
    bool foldCase = true;         // folder path keys (and file keys) ignore case
    char16_t numberMarker = u':'; // cannot occur in a name under these rules
    size_t maxPath = 260;         // a path this long or longer is dropped
    bool lengthInBytes = false;   // names are stored as UTF-8 and limited in bytes

    static NameRules windows() { return {}; }
    // Windows takes some names for devices (rename/device_names.h); POSIX has none.
    bool deviceNames() const { return separator == u'\\'; }
    static NameRules posix() { return {u'/', false, u'/', 4096, true}; }
};

} // namespace mr
