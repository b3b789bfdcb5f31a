#include "platform/common/utf8.h"

#include <gtest/gtest.h>

namespace mr {
namespace {

TEST(Utf8, InvalidBytesBecomeLoneSurrogatesAndComeBack) {
    EXPECT_EQ(fromUtf8("\xC3\xA9t\xF0\x9F\x93\xB7"), u"\u00E9t\U0001F4F7");
    // Two-byte sequences are all tried below; these are longer.
    for (const std::string bytes : {"\xED\xA0\x80", "\xF4\x90\x80\x80", "caf\xE9.jpg"})
        EXPECT_EQ(toUtf8(fromUtf8(bytes)), bytes);
    EXPECT_EQ(fromUtf8("a\xFFz"), u"a\xDCFFz");
}

TEST(Utf8, EveryTwoByteSequenceRoundTrips) {
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const std::string bytes{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(toUtf8(fromUtf8(bytes)), bytes) << a << "," << b;
        }
}

} // namespace
} // namespace mr
