#include "ui/model/type_to_find.h"

#include "text/case_mapping.h"

#include <algorithm>

namespace mr {
namespace {

bool beginsWithoutCase(std::u16string_view name, std::u16string_view prefix) {
    return name.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), name.begin(),
                      [](char16_t a, char16_t b) { return toSimpleUpper(a) == toSimpleUpper(b); });
}

} // namespace

std::optional<size_t> findTypedRow(const std::vector<FileRecord*>& rows, std::u16string_view typed,
                                   std::optional<size_t> focused) {
    if (typed.empty() || rows.empty())
        return std::nullopt;
    const bool oneLetter = std::all_of(typed.begin(), typed.end(), [&](char16_t c) {
        return toSimpleUpper(c) == toSimpleUpper(typed.front());
    });
    if (oneLetter)
        typed = typed.substr(0, 1);
    size_t start = 0;
    if (focused && *focused < rows.size())
        start = oneLetter ? (*focused + 1) % rows.size() : *focused;
    for (size_t k = 0; k < rows.size(); ++k) {
        const size_t row = (start + k) % rows.size();
        if (rows[row] && beginsWithoutCase(rows[row]->name, typed))
            return row;
    }
    return std::nullopt;
}

} // namespace mr
