#pragma once
// Unicode simple case mapping, one code unit to one code unit, the same on every
// platform. Surrogates and characters without a one-unit mapping stay as they are.
#include <string>

namespace mr {

char16_t toSimpleUpper(char16_t c);
char16_t toSimpleLower(char16_t c);

void toSimpleUpper(std::u16string& text);
void toSimpleLower(std::u16string& text);

} // namespace mr
