#pragma once
// Texts of the module's string table, by the names the one strings file gives them.
#include <cstdint>
#include <string_view>

namespace mr {

// Plain numbers on purpose: a message id travels as a number to the views and the JSON.
enum StringId : uint32_t {
#define MR_STRING(name, number, text) name = number,
#include "resources/strings.def"
#undef MR_STRING
};

// Empty for a number the table does not hold.
std::u16string_view moduleString(uint32_t id);

} // namespace mr
