#pragma once
// Decimal numbers in UTF-16 text: the one reader and the one writer of the digits in
// names, edits, tags and messages.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mr {

// Only '0' to '9' count; other Unicode digits are ordinary characters.
constexpr bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Reads the digits from `at` on and moves `at` past them. More digits than 64 bits
// hold wrap around, as two's complement arithmetic does.
uint64_t readDigits(std::u16string_view text, size_t& at);

// The leading digits of text as a signed number, wrapping as readDigits does; none
// read as 0.
int64_t leadingNumber(std::u16string_view text);

void appendDecimal(uint64_t value, std::u16string& out);
std::u16string decimalText(uint64_t value);
// With a '-' before a negative value.
std::u16string signedDecimalText(int64_t value);

} // namespace mr
