#include "pattern/tags.h"

// Provisional: recognises no tag yet; only moves past it.
namespace mr {

bool expandTag(std::u16string_view text, size_t& pos, const FileRecord*, const CaptureList*,
               std::u16string*) {
    while (pos < text.size() && text[pos] != u'<') {
        if (text[pos++] == u'>')
            break;
    }
    return false;
}

std::string dateSpecToFormat(std::u16string_view) {
    return {};
}

std::u16string formatPaddedNumber(uint64_t value, uint32_t minDigits) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value);
    if (minDigits > 255)
        minDigits = 255;
    if (digits.size() < minDigits)
        digits.insert(0, minDigits - digits.size(), u'0');
    return digits;
}

} // namespace mr
