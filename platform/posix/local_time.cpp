#include "seams/local_time.h"
#include "seams/file_system.h"

#include <time.h>

namespace mr {

bool fileTimeToLocalTime(uint64_t fileTime, CalendarTime& out) {
    if (fileTime >= (uint64_t{1} << 63)) // as FileTimeToSystemTime
        return false;
    constexpr int64_t kTicksPerSecond = 10000000;
    const int64_t unixTicks =
        static_cast<int64_t>(fileTime) - static_cast<int64_t>(kUnixEpochAsFileTime);
    // Floor division: a time just before 1970 belongs to the second that starts before it.
    int64_t seconds = unixTicks / kTicksPerSecond;
    if (unixTicks % kTicksPerSecond < 0)
        --seconds;
    const time_t t = static_cast<time_t>(seconds);
    // localtime_r need not read TZ itself; a later change of TZ takes a tzset() by
    // whoever changes it.
    static const bool zoneRead = (tzset(), true);
    (void)zoneRead;
    tm local{};
    if (localtime_r(&t, &local) == nullptr)
        return false;
    out.year = local.tm_year + 1900;
    out.month = local.tm_mon + 1;
    out.day = local.tm_mday;
    out.weekday = local.tm_wday;
    out.hour = local.tm_hour;
    out.minute = local.tm_min;
    out.second = local.tm_sec > 59 ? 59 : local.tm_sec; // a leap second, as Windows has none
    return true;
}

} // namespace mr
