#include "pattern/case_mapping.h"

// Provisional: ASCII only, until the generated Unicode table lands.
namespace mr {

char16_t toSimpleUpper(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

char16_t toSimpleLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c;
}

void toSimpleUpper(std::u16string& text) {
    for (auto& c : text)
        c = toSimpleUpper(c);
}

void toSimpleLower(std::u16string& text) {
    for (auto& c : text)
        c = toSimpleLower(c);
}

} // namespace mr
