#include "platform/local_time.h"
#include "test_zone.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <tuple>

namespace mr {
namespace {

using test::fileTimeOf;

// Makes `zone` (a TZ value) this process's zone; false where it cannot change (Windows).
bool setZone(const char* zone) {
#ifdef _WIN32
    return zone == nullptr;
#else
    setenv("TZ", zone, 1);
    tzset();
    return true;
#endif
}

struct TestZone : testing::Environment {
    void SetUp() override { setZone(test::kTestZone); }
};
[[maybe_unused]] const auto* const kZone = testing::AddGlobalTestEnvironment(new TestZone);

auto localOf(uint64_t fileTime) {
    CalendarTime t;
    EXPECT_TRUE(fileTimeToLocalTime(fileTime, t)) << fileTime;
    return std::tuple(t.year, t.month, t.day, t.weekday, t.hour);
}

// The date tags show the tests' own zone; other zones need a process that can change its
// zone (a Windows program takes its zone once, when it starts).
TEST(LocalTime, FollowsAChangeOfZone) {
    CalendarTime t;
    EXPECT_FALSE(fileTimeToLocalTime(~uint64_t{0}, t));
    if (!setZone("EST5EDT,M3.2.0,M11.1.0"))
        GTEST_SKIP() << "the zone is fixed when the process starts";
    EXPECT_EQ(localOf(fileTimeOf(2024, 1, 1, 3, 0)), std::tuple(2023, 12, 31, 0, 22));
    EXPECT_EQ(localOf(fileTimeOf(2024, 7, 1, 3, 0)), std::tuple(2024, 6, 30, 0, 23)); // summer
    setZone(test::kTestZone);
}

} // namespace
} // namespace mr
