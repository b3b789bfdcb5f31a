#pragma once
// What the fuzz targets share: reading their input as lines, and failing loudly.
#include "text/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace mr::fuzz {

// A broken invariant: say which, then abort so libFuzzer keeps the input.
inline void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

// The bytes from `skip` on as UTF-8 lines, padded with empty lines to `atLeast`.
inline std::vector<std::u16string> lines(const uint8_t* data, size_t size, size_t skip = 0,
                                         size_t atLeast = 0) {
    std::vector<std::u16string> out(1);
    for (char16_t c : fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size)
                                   .substr(std::min(skip, size)))) {
        if (c == u'\n')
            out.emplace_back();
        else
            out.back() += c;
    }
    if (out.size() < atLeast)
        out.resize(atLeast);
    return out;
}

} // namespace mr::fuzz
