#pragma once
// A character outside the Basic Multilingual Plane is two UTF-16 code units, a first
// half and a second half; the pattern engine works on units and must not split them.
namespace mr {

inline bool isFirstHalf(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

inline bool isSecondHalf(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace mr
