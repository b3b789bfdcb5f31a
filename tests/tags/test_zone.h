#pragma once
// The tag tests read local times in UTC+9: ctest starts them with TZ=JST-9.
#include <chrono>
#include <cstdint>

namespace mr::test {

// The file time of a UTC calendar time.
inline uint64_t fileTimeOf(int y, unsigned m, unsigned d, int h = 0, int min = 0, int s = 0) {
    using namespace std::chrono;
    const int64_t days = sys_days{year{y} / month{m} / day{d}}.time_since_epoch().count();
    const int64_t seconds = days * 86400 + h * 3600 + min * 60 + s;
    return static_cast<uint64_t>(seconds * 10000000 + 116444736000000000LL);
}

} // namespace mr::test
