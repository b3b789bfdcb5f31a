#include "test_zone.h"

#include "platform/local_time.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace mr::test {

bool setZone(const char* zone) {
#ifdef _WIN32
    (void)zone;
    return false;
#else
    setenv("TZ", zone, 1);
    tzset();
    return true;
#endif
}

namespace {

class TestZone : public testing::Environment {
public:
    void SetUp() override {
        setZone(kTestZone);
        CalendarTime t;
        ASSERT_TRUE(fileTimeToLocalTime(fileTimeOf(2024, 1, 1, 0, 0, 0), t));
        ASSERT_EQ(t.hour, 9) << "the tag tests expect local time UTC+9: start them with TZ="
                             << kTestZone;
    }
};

[[maybe_unused]] const testing::Environment* const kZone =
    testing::AddGlobalTestEnvironment(new TestZone);

} // namespace
} // namespace mr::test
