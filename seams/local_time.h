#pragma once
// The local time seam: a file time (UTC) as calendar time in the current time zone.
#include <cstdint>

namespace mr {

struct CalendarTime {
    int year = 0;
    int month = 0;   // 1-12
    int day = 0;     // 1-31
    int weekday = 0; // 0 Sunday - 6 Saturday
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// False when the time cannot be converted (on every platform: file times of 2^63
// and above, which Windows refuses).
bool fileTimeToLocalTime(uint64_t fileTime, CalendarTime& out);

} // namespace mr
