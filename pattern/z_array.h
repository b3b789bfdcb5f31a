#pragma once
// Private to the middle derivation: the Z array, the tool of both of its searches.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace mr {

// z[j]: the length of the longest common beginning of s and s[j ..].
template <class Text>
std::vector<size_t> zArray(const Text& s) {
    std::vector<size_t> z(s.size(), 0);
    if (!s.empty())
        z[0] = s.size();
    size_t l = 0;
    size_t r = 0;
    for (size_t j = 1; j < s.size(); ++j) {
        size_t len = j < r ? std::min(z[j - l], r - j) : 0;
        while (j + len < s.size() && s[j + len] == s[len])
            ++len;
        z[j] = len;
        if (j + len > r) {
            l = j;
            r = j + len;
        }
    }
    return z;
}

} // namespace mr
