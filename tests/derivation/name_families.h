#pragma once
// Generated name sets for habits the corpus of real names lacks: camera numbers, '#' in
// names, POSIX specials, wide characters, long runs of digits that tie, characters of
// two units, case pairs outside ASCII and control characters.
#include "rename/name_rules.h"

#include <random>
#include <string>
#include <vector>

namespace mr::test {

using Rng = std::mt19937;
using Names = std::vector<std::u16string>;

struct Family {
    const char* name;
    bool posix; // the names need POSIX rules ('*', '\', ':' in names)
    Names (*make)(Rng&);
};

inline std::u16string randomText(Rng& rng, std::u16string_view alphabet, size_t length) {
    std::u16string s;
    for (size_t i = 0; i < length; ++i)
        s += alphabet[rng() % alphabet.size()];
    return s;
}

// Whole characters, some of them two units long.
inline std::u16string randomChars(Rng& rng, const std::vector<std::u16string_view>& alphabet,
                                  size_t length) {
    std::u16string s;
    for (size_t i = 0; i < length; ++i)
        s += alphabet[rng() % alphabet.size()];
    return s;
}

namespace families {

template <class Make>
Names many(size_t count, Make make) {
    Names names;
    for (size_t i = 0; i < count; ++i)
        names.push_back(make());
    return names;
}

inline Names camera(Rng& rng) {
    const std::u16string prefix = rng() % 2 ? u"IMG_" : u"DSC";
    const size_t width = 3 + rng() % 3;
    return many(2 + rng() % 24, [&] {
        return prefix + randomText(rng, u"0123456789", width) + (rng() % 8 ? u".jpg" : u".JPG");
    });
}

inline Names posixSpecials(Rng& rng) {
    return many(2 + rng() % 24, [&] {
        return randomText(rng, u"a*\\:#b1", 1 + rng() % 5) + randomText(rng, u"0123", rng() % 3) +
               randomText(rng, u"*\\:x", rng() % 3) + (rng() % 3 == 0 ? u"" : u".t*t");
    });
}

inline Names tiny(Rng& rng) {
    return many(2 + rng() % 5,
                [&] { return randomText(rng, u"ab12#.\u0430\u65E5", 1 + rng() % 5); });
}

// Many long names of few characters: the number search branches most here.
inline Names digitRuns(Rng& rng) {
    return many(20 + rng() % 40, [&] { return randomText(rng, u"001a", 1 + rng() % 60); });
}

// Copies of one text with digits redrawn, widened or dropped: many candidates tie.
inline Names redrawnDigits(Rng& rng) {
    const std::u16string model = randomText(rng, u"0123456789a-:", 20);
    return many(4 + rng() % 5, [&] {
        std::u16string out;
        for (char16_t c : model) {
            const unsigned change = c >= u'0' && c <= u'9' && rng() % 3 == 0 ? 1 + rng() % 3 : 0;
            if (change == 0 || change == 2)
                out += c;
            if (change >= 2)
                out += static_cast<char16_t>(u'0' + rng() % 10);
        }
        return out;
    });
}

// Emoji that share their first or their second half, among letters and digits.
inline Names emoji(Rng& rng) {
    const std::vector<std::u16string_view> alphabet = {
        u"\U0001F600", u"\U0001F601", u"\U0001F400", u"\U0001D400", u"a", u"1", u"-"};
    const std::u16string prefix = randomChars(rng, alphabet, rng() % 3);
    return many(2 + rng() % 10, [&] {
        return prefix + randomChars(rng, alphabet, 1 + rng() % 6) + (rng() % 2 ? u".jpg" : u"");
    });
}

// Letters whose cases differ outside ASCII, some of which fold to one key.
inline Names casePairs(Rng& rng) {
    const std::u16string_view alphabet = u"\u00C4\u00E4\u00C9\u00E9\u03A3\u03C3\u03C2\u01C4\u01C5"
                                         u"\u01C6\u017F\u212Aks1";
    return many(2 + rng() % 12, [&] {
        return randomText(rng, alphabet, 1 + rng() % 4) + randomText(rng, u"0123", rng() % 3) +
               u".txt";
    });
}

// Names a POSIX folder may hold: any control character but NUL.
inline Names controlCharacters(Rng& rng) {
    return many(2 + rng() % 12, [&] {
        return randomText(rng, u"\x01\t\n\x1Fa1 ", 1 + rng() % 6) + (rng() % 2 ? u".\x7F" : u"");
    });
}

} // namespace families

inline const std::vector<Family>& nameFamilies() {
    static const std::vector<Family> all = {
        {"camera numbers", false, families::camera},
        {"POSIX specials", true, families::posixSpecials},
        {"tiny random", false, families::tiny},
        {"digit runs", false, families::digitRuns},
        {"redrawn digits", true, families::redrawnDigits},
        {"emoji", false, families::emoji},
        {"case pairs", false, families::casePairs},
        {"control characters", true, families::controlCharacters},
    };
    return all;
}

} // namespace mr::test
