#pragma once
// The tag tests read local times in one zone east of UTC without daylight saving.
// Natively the tests set it themselves; a Windows program (Wine) takes its zone from
// TZ when it starts, so ctest starts the tests with TZ set to the same zone.
#include <chrono>
#include <cstdint>

namespace mr::test {

constexpr const char* kTestZone = "JST-9"; // UTC+9 all year

// Makes `zone` (a TZ value) the zone of this process. False where a running process
// cannot change its zone (Windows).
bool setZone(const char* zone);

// The file time of a UTC calendar time, plus `ticks` of 100 ns.
inline uint64_t fileTimeOf(int y, unsigned m, unsigned d, int h = 0, int min = 0, int s = 0,
                           int64_t ticks = 0) {
    using namespace std::chrono;
    const int64_t days = sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count();
    const int64_t seconds = days * 86400 + h * 3600 + min * 60 + s;
    return static_cast<uint64_t>(seconds * 10000000 + ticks + 116444736000000000LL);
}

} // namespace mr::test
