#pragma once
// Type-to-find in the names list: the row that letters typed into the list move to.
#include "rename/records.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace mr {

// The first row, wrapping round, whose old name begins with `typed`, compared without
// case; none when no row fits. A text being extended may still fit the focused row, so
// the search starts there; a single letter, or one letter typed again and again, steps
// on from the row after the focused one through the rows that begin with it.
std::optional<size_t> findTypedRow(const std::vector<FileRecord*>& rows, std::u16string_view typed,
                                   std::optional<size_t> focused);

} // namespace mr
