#include "platform/local_time.h"
#include "test_zone.h"

#include <gtest/gtest.h>
#include <ostream>

namespace mr {

bool operator==(const CalendarTime& a, const CalendarTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.weekday == b.weekday &&
           a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}

void PrintTo(const CalendarTime& t, std::ostream* os) {
    *os << t.year << '-' << t.month << '-' << t.day << " wd" << t.weekday << ' ' << t.hour << ':'
        << t.minute << ':' << t.second;
}

namespace {

using test::fileTimeOf;

struct LocalCase {
    uint64_t fileTime;
    CalendarTime expected;
};

void expectLocal(const LocalCase& c) {
    CalendarTime t;
    ASSERT_TRUE(fileTimeToLocalTime(c.fileTime, t)) << c.fileTime;
    EXPECT_EQ(t, c.expected) << c.fileTime;
}

// In the tests' zone (UTC+9), on every platform; the date tags show more of it.
TEST(LocalTime, FileTimesShowInTheCurrentZone) {
    expectLocal({fileTimeOf(2024, 3, 5, 23, 30), {2024, 3, 6, 3, 8, 30, 0}}); // the next day
    expectLocal({fileTimeOf(2024, 2, 28, 20, 0), {2024, 2, 29, 4, 5, 0, 0}}); // a leap day
    expectLocal({fileTimeOf(2024, 3, 5, 2, 59, 59, 9999999), {2024, 3, 5, 2, 11, 59, 59}});
    expectLocal({0, {1601, 1, 1, 1, 9, 0, 0}});
    CalendarTime t;
    EXPECT_FALSE(fileTimeToLocalTime(uint64_t{1} << 63, t)); // what Windows refuses
    EXPECT_FALSE(fileTimeToLocalTime(~uint64_t{0}, t));
}

// Other zones need a process that can change its zone; a Windows program takes its
// zone once, when it starts.
TEST(LocalTime, FollowsAChangeOfZone) {
    if (!test::setZone("UTC0"))
        GTEST_SKIP() << "the zone is fixed when the process starts";
    expectLocal({fileTimeOf(2024, 3, 5, 23, 30), {2024, 3, 5, 2, 23, 30, 0}});
    test::setZone("EST5EDT,M3.2.0,M11.1.0");
    expectLocal({fileTimeOf(2024, 1, 1, 3, 0), {2023, 12, 31, 0, 22, 0, 0}}); // the day before
    expectLocal({fileTimeOf(2024, 7, 1, 3, 0), {2024, 6, 30, 0, 23, 0, 0}});  // daylight saving
    test::setZone(test::kTestZone);
}

} // namespace
} // namespace mr
