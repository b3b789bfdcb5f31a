#pragma once
// A broken invariant in a fuzz target: say which, then abort so libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

namespace mr::fuzz {

inline void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

} // namespace mr::fuzz
