#pragma once
// The tag tests read local times in one zone east of UTC (ctest also sets TZ for Wine).
#include <chrono>
#include <cstdint>

namespace mr::test {

constexpr const char* kTestZone = "JST-9"; // UTC+9 all year

// The file time of a UTC calendar time, plus `ticks` of 100 ns.
inline uint64_t fileTimeOf(int y, unsigned m, unsigned d, int h = 0, int min = 0, int s = 0,
                           int64_t ticks = 0) {
    using namespace std::chrono;
    const int64_t days = sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count();
    const int64_t seconds = days * 86400 + h * 3600 + min * 60 + s;
    return static_cast<uint64_t>(seconds * 10000000 + ticks + 116444736000000000LL);
}

} // namespace mr::test
