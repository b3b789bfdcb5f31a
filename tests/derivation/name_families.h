#pragma once
// Generated sets of file names, one generator per family of real-world naming habits.
#include "rename/name_rules.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace mr::test {

using Rng = std::mt19937;
using Names = std::vector<std::u16string>;

struct Family {
    const char* name;
    bool posix; // the names need POSIX rules ('*', '\', ':' in names)
    Names (*make)(Rng&);
};

const std::vector<Family>& nameFamilies();

// A text of the given length over the given characters.
std::u16string randomText(Rng& rng, std::u16string_view alphabet, size_t length);

} // namespace mr::test
