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
    const char* what;
    uint64_t fileTime;
    CalendarTime expected;
};

void expectLocal(const LocalCase& c) {
    CalendarTime t;
    ASSERT_TRUE(fileTimeToLocalTime(c.fileTime, t)) << c.what;
    EXPECT_EQ(t, c.expected) << c.what;
}

// In the tests' zone (UTC+9), on every platform.
TEST(LocalTime, FileTimesShowInTheCurrentZone) {
    const LocalCase cases[] = {
        {"23:30 UTC is the next day east of UTC",
         fileTimeOf(2024, 3, 5, 23, 30),
         {2024, 3, 6, 3, 8, 30, 0}},
        {"into a new year", fileTimeOf(2024, 12, 31, 15, 0), {2025, 1, 1, 3, 0, 0, 0}},
        {"onto a leap day", fileTimeOf(2024, 2, 28, 20, 0), {2024, 2, 29, 4, 5, 0, 0}},
        {"fractions of a second are cut",
         fileTimeOf(2024, 3, 5, 2, 59, 59, 9999999),
         {2024, 3, 5, 2, 11, 59, 59}},
        {"the first year a date tag shows", fileTimeOf(1900, 1, 1), {1900, 1, 1, 1, 9, 0, 0}},
        {"file time zero", 0, {1601, 1, 1, 1, 9, 0, 0}},
    };
    for (const auto& c : cases)
        expectLocal(c);
}

TEST(LocalTime, TimesWindowsRefusesAreRefusedEverywhere) {
    CalendarTime t;
    EXPECT_FALSE(fileTimeToLocalTime(uint64_t{1} << 63, t));
    EXPECT_FALSE(fileTimeToLocalTime(~uint64_t{0}, t));
}

// Other zones need a process that can change its zone; a Windows program takes its
// zone once, when it starts.
TEST(LocalTime, FollowsAChangeOfZone) {
    if (!test::setZone("UTC0"))
        GTEST_SKIP() << "the zone is fixed when the process starts";
    const LocalCase utc[] = {
        {"no offset", fileTimeOf(2024, 3, 5, 23, 30), {2024, 3, 5, 2, 23, 30, 0}},
    };
    for (const auto& c : utc)
        expectLocal(c);

    test::setZone("EST5EDT,M3.2.0,M11.1.0");
    const LocalCase eastern[] = {
        {"west of UTC: the day before", fileTimeOf(2024, 1, 1, 3, 0), {2023, 12, 31, 0, 22, 0, 0}},
        {"daylight saving time", fileTimeOf(2024, 7, 1, 3, 0), {2024, 6, 30, 0, 23, 0, 0}},
    };
    for (const auto& c : eastern)
        expectLocal(c);
    test::setZone(test::kTestZone);
}

} // namespace
} // namespace mr
