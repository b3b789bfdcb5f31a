#include "text/number_text.h"

namespace mr {

uint64_t readDigits(std::u16string_view text, size_t& at) {
    uint64_t value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at)
        value = value * 10 + static_cast<uint64_t>(text[at] - u'0');
    return value;
}

int64_t leadingNumber(std::u16string_view text) {
    size_t at = 0;
    return static_cast<int64_t>(readDigits(text, at));
}

void appendDecimal(uint64_t value, std::u16string& out) {
    char16_t digits[20];
    size_t n = 0;
    do {
        digits[n++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value);
    while (n)
        out += digits[--n];
}

std::u16string decimalText(uint64_t value) {
    std::u16string out;
    appendDecimal(value, out);
    return out;
}

std::u16string signedDecimalText(int64_t value) {
    std::u16string out;
    if (value < 0)
        out += u'-';
    appendDecimal(value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value), out);
    return out;
}

} // namespace mr
