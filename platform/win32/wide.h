#pragma once
// wchar_t is UTF-16 on Windows: the engine's text and Win32's text are the same code
// units, so conversion is a copy.
#include <string>
#include <string_view>

namespace mr {

inline std::u16string fromWide(std::wstring_view w) {
    return std::u16string(reinterpret_cast<const char16_t*>(w.data()), w.size());
}

inline std::wstring toWide(std::u16string_view s) {
    return std::wstring(reinterpret_cast<const wchar_t*>(s.data()), s.size());
}

} // namespace mr
