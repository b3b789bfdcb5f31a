#pragma once
// Generated name sets for habits the corpus of real names lacks (media, hashes, wide and POSIX
// characters).
#include "rename/name_rules.h"

#include <cstdint>
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

namespace families {

inline size_t pick(Rng& rng, size_t n) {
    return n == 0 ? 0 : rng() % n;
}

inline std::u16string oneOf(Rng& rng, const Names& v) {
    return v[pick(rng, v.size())];
}

} // namespace families

// A text of the given length over the given characters.
inline std::u16string randomText(Rng& rng, std::u16string_view alphabet, size_t length) {
    std::u16string s;
    for (size_t i = 0; i < length; ++i)
        s += alphabet[families::pick(rng, alphabet.size())];
    return s;
}

namespace families {

inline std::u16string number(Rng& rng, size_t width) {
    return randomText(rng, u"0123456789", width);
}

inline std::u16string padded(size_t value, size_t width) {
    std::u16string s;
    for (; value > 0 || s.empty(); value /= 10)
        s.insert(s.begin(), static_cast<char16_t>(u'0' + value % 10));
    return std::u16string(width > s.size() ? width - s.size() : 0, u'0') + s;
}

// Between 2 and 25 names from `make`, or `count` when given.
template <class Make>
Names many(Rng& rng, Make make, size_t count = 0) {
    Names names;
    for (size_t i = 0, n = count ? count : 2 + pick(rng, 24); i < n; ++i)
        names.push_back(make());
    return names;
}

inline Names camera(Rng& rng) {
    const std::u16string prefix = oneOf(rng, {u"IMG_", u"DSC", u"P", u"DSCN"});
    const std::u16string ext = pick(rng, 8) == 0 ? u".JPG" : u".jpg";
    const size_t width = 3 + pick(rng, 3);
    return many(
        rng, [&] { return prefix + number(rng, width) + (pick(rng, 15) == 0 ? u".jpeg" : ext); });
}

inline Names episodes(Rng& rng) {
    const std::u16string show = oneOf(rng, {u"The.Show", u"Another Show", u"show", u"X-Files"});
    const bool dotted = pick(rng, 2) == 0;
    return many(rng, [&] {
        std::u16string s = show + (dotted ? u".S" : u" s") + padded(1 + pick(rng, 3), 2) +
                           (dotted ? u"E" : u"e") + padded(1 + pick(rng, 24), 2);
        if (pick(rng, 3) == 0)
            s += oneOf(rng, {u".720p", u".1080p", u" - Pilot", u".x264"});
        return s + (pick(rng, 10) == 0 ? u".srt" : u".mkv");
    });
}

inline Names tracks(Rng& rng) {
    const std::u16string artist = oneOf(rng, {u"Artist", u"The Band", u""});
    return many(rng, [&] {
        std::u16string s = padded(1 + pick(rng, 20), pick(rng, 3) == 0 ? 1 : 2);
        if (!artist.empty())
            s += u" - " + artist;
        s += (pick(rng, 2) ? u" - " : u". ") +
             oneOf(rng, {u"Intro", u"Song Two", u"Back Home", u"Blue", u"Outro (Live)"});
        return s + (pick(rng, 4) == 0 ? u".flac" : u".mp3");
    });
}

inline Names hashes(Rng& rng) {
    return many(rng, [&] {
        const std::u16string num = padded(pick(rng, 40), 1);
        const size_t style = pick(rng, 4);
        return style == 0   ? u"Track #" + num + u".ogg"
               : style == 1 ? u"#" + num + u" item.ogg"
               : style == 2 ? u"a#b#" + num + u".ogg"
                            : u"Song ##" + num + u"#.ogg";
    });
}

inline Names wideCharacters(Rng& rng) {
    return many(rng, [&] {
        return randomText(rng, u"\u0424\u0430\u0439\u043B\u65E5\u672C\u00E9 ", 1 + pick(rng, 4)) +
               number(rng, 1 + pick(rng, 2)) + randomText(rng, u"\u00E9\u0430x", 1) + u".txt";
    });
}

inline Names posixSpecials(Rng& rng) {
    return many(rng, [&] {
        return randomText(rng, u"a*\\:#b1", 1 + pick(rng, 5)) + number(rng, pick(rng, 3)) +
               randomText(rng, u"*\\:x", pick(rng, 3)) + (pick(rng, 3) == 0 ? u"" : u".t*t");
    });
}

inline Names tiny(Rng& rng) {
    return many(
        rng, [&] { return randomText(rng, u"ab12#.", 1 + pick(rng, 5)); }, 2 + pick(rng, 5));
}

} // namespace families

inline const std::vector<Family>& nameFamilies() {
    static const std::vector<Family> all = {
        {"camera numbers", false, families::camera},
        {"episodes", false, families::episodes},
        {"tracks", false, families::tracks},
        {"hash in names", false, families::hashes},
        {"wide characters", false, families::wideCharacters},
        {"POSIX specials", true, families::posixSpecials},
        {"tiny random", false, families::tiny},
    };
    return all;
}

} // namespace mr::test
