#pragma once
// The engine's own time formatter for the directives that date words stand for, with
// English month and weekday names: the same text on every platform and in any locale.
#include "seams/local_time.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mr {

// The longest formatted date a tag yields, in UTF-8 bytes.
constexpr size_t kMaxDateBytes = 99;

// Interprets %H %M %S %Y %B %A %b %a %y %m %d and %#Y %#m %#d; any other byte is
// copied. Nothing when the result would exceed kMaxDateBytes or a field is out of
// range.
std::optional<std::string> formatCalendarTime(std::string_view format, const CalendarTime& time);

} // namespace mr
