#include "rename/messages.h"

namespace mr {

std::u16string_view moduleString(uint32_t id) {
    switch (id) {
#define MR_STRING(name, number, text)                                                              \
    case number:                                                                                   \
        return u"" text;
#include "resources/strings.def"
#undef MR_STRING
    default:
        return {};
    }
}

} // namespace mr
