#pragma once
// Texts of the module's string table by their numbers.
#include <cstdint>
#include <string_view>

namespace mr {

// Empty for a number the table does not hold.
std::u16string_view moduleString(uint32_t id);

constexpr uint32_t kMessageTitle = 2523; // the title of every message box

} // namespace mr
