#include "text/utf8.h"

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

// Every unit, alone, as a first half, after a lone second half or an escaped byte.
TEST(Utf8, LengthIsThatOfTheBytes) {
    for (uint32_t c = 0; c < 0x10000; ++c)
        for (const char16_t next : {u'a', u'\xDC00', u'\xDFFF', u'\xD800', u'\xDCFF'}) {
            const std::u16string text{static_cast<char16_t>(c), next};
            ASSERT_EQ(utf8Length(text), toUtf8(text).size()) << std::hex << c;
        }
}

} // namespace
} // namespace mr
