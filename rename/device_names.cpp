#include "rename/device_names.h"

namespace mr {
namespace {

char16_t upperAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != b[i])
            return false;
    return true;
}

} // namespace

bool isDeviceName(std::u16string_view name) {
    std::u16string_view base = name.substr(0, name.find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    if (base.size() == 3)
        for (std::u16string_view device : {u"CON", u"PRN", u"AUX", u"NUL"})
            if (sameIgnoringCase(base, device))
                return true;
    if (base.size() != 4 || base[3] < u'1' || base[3] > u'9')
        return false;
    return sameIgnoringCase(base.substr(0, 3), u"COM") ||
           sameIgnoringCase(base.substr(0, 3), u"LPT");
}

} // namespace mr
