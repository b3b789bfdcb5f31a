#pragma once
// Generated sets of file names, one generator per family of real-world naming habits.
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

// A text of the given length over the given characters.
inline std::u16string randomText(Rng& rng, std::u16string_view alphabet, size_t length);

namespace families {

inline size_t pick(Rng& rng, size_t n) {
    return n == 0 ? 0 : rng() % n;
}

template <class T>
inline const T& oneOf(Rng& rng, const std::vector<T>& v) {
    return v[pick(rng, v.size())];
}

inline std::u16string number(Rng& rng, size_t width) {
    std::u16string s;
    for (size_t i = 0; i < width; ++i)
        s += static_cast<char16_t>(u'0' + pick(rng, 10));
    return s;
}

inline std::u16string padded(size_t value, size_t width) {
    std::u16string s;
    for (; value > 0 || s.empty(); value /= 10)
        s.insert(s.begin(), static_cast<char16_t>(u'0' + value % 10));
    while (s.size() < width)
        s.insert(s.begin(), u'0');
    return s;
}

inline size_t setSize(Rng& rng) {
    return 2 + pick(rng, 24);
}

inline Names camera(Rng& rng) {
    const std::u16string prefix = oneOf<std::u16string>(rng, {u"IMG_", u"DSC", u"P", u"DSCN"});
    const std::u16string ext = pick(rng, 8) == 0 ? u".JPG" : u".jpg";
    const size_t width = 3 + pick(rng, 3);
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i)
        names.push_back(prefix + number(rng, width) + (pick(rng, 15) == 0 ? u".jpeg" : ext));
    return names;
}

inline Names dates(Rng& rng) {
    const size_t style = pick(rng, 3);
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        const std::u16string y = padded(2015 + pick(rng, 10), 4);
        const std::u16string m = padded(1 + pick(rng, 12), 2);
        const std::u16string d = padded(1 + pick(rng, 28), 2);
        if (style == 0)
            names.push_back(y + u"-" + m + u"-" + d + u" " + padded(pick(rng, 24), 2) + u"." +
                            padded(pick(rng, 60), 2) + u"." + padded(pick(rng, 60), 2) + u".png");
        else if (style == 1)
            names.push_back(u"Scan_" + y + m + d + u"_" + padded(pick(rng, 1000), 3) + u".pdf");
        else
            names.push_back(u"VID_" + y + m + d + u"_" + number(rng, 6) + u".mp4");
    }
    return names;
}

inline Names episodes(Rng& rng) {
    const std::u16string show =
        oneOf<std::u16string>(rng, {u"The.Show", u"Another Show", u"show", u"X-Files"});
    const bool dotted = pick(rng, 2) == 0;
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        std::u16string s = show + (dotted ? u".S" : u" s") + padded(1 + pick(rng, 3), 2) +
                           (dotted ? u"E" : u"e") + padded(1 + pick(rng, 24), 2);
        if (pick(rng, 3) == 0)
            s += oneOf<std::u16string>(rng, {u".720p", u".1080p", u" - Pilot", u".x264"});
        names.push_back(s + (pick(rng, 10) == 0 ? u".srt" : u".mkv"));
    }
    return names;
}

inline Names tracks(Rng& rng) {
    const Names titles = {u"Intro", u"Song Two", u"Back Home", u"Blue", u"Outro (Live)"};
    const std::u16string artist = oneOf<std::u16string>(rng, {u"Artist", u"The Band", u""});
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        std::u16string s = padded(1 + pick(rng, 20), pick(rng, 3) == 0 ? 1 : 2);
        if (!artist.empty())
            s += u" - " + artist;
        s += (pick(rng, 2) ? u" - " : u". ") + oneOf(rng, titles);
        names.push_back(s + (pick(rng, 4) == 0 ? u".flac" : u".mp3"));
    }
    return names;
}

inline Names digitRuns(Rng& rng) {
    Names names;
    const size_t runs = 2 + pick(rng, 4);
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        std::u16string s;
        for (size_t r = 0; r < runs; ++r) {
            s += randomText(rng, u"abx_-", 1 + pick(rng, 2));
            s += number(rng, 1 + pick(rng, 3));
        }
        names.push_back(s + u".dat");
    }
    return names;
}

inline Names mixedExtensions(Rng& rng) {
    const Names exts = {u".txt", u".TXT", u".md", u"", u".tar.gz", u".", u".c"};
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        if (pick(rng, 10) == 0)
            names.push_back(oneOf<std::u16string>(rng, {u".bashrc", u".profile", u".config"}));
        else
            names.push_back(randomText(rng, u"notesREADME_1", 1 + pick(rng, 8)) + oneOf(rng, exts));
    }
    return names;
}

inline Names hashes(Rng& rng) {
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        const size_t style = pick(rng, 4);
        const std::u16string num = padded(pick(rng, 40), 1);
        if (style == 0)
            names.push_back(u"Track #" + num + u".ogg");
        else if (style == 1)
            names.push_back(u"#" + num + u" item.ogg");
        else if (style == 2)
            names.push_back(u"a#b#" + num + u".ogg");
        else
            names.push_back(u"Song ##" + num + u"#.ogg");
    }
    return names;
}

inline Names caseDifferences(Rng& rng) {
    const std::u16string base = oneOf<std::u16string>(rng, {u"holiday photo", u"Report", u"ab"});
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i) {
        std::u16string s = base;
        for (auto& c : s)
            if (pick(rng, 3) == 0 && c >= u'a' && c <= u'z')
                c = static_cast<char16_t>(c - 32);
        names.push_back(s + u" " + number(rng, 1 + pick(rng, 2)) + u".JPG");
    }
    return names;
}

inline Names wideCharacters(Rng& rng) {
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i)
        names.push_back(
            randomText(rng, u"\u0424\u0430\u0439\u043B\u65E5\u672C\u00E9 ", 1 + pick(rng, 4)) +
            number(rng, 1 + pick(rng, 2)) + randomText(rng, u"\u00E9\u0430x", 1) + u".txt");
    return names;
}

inline Names posixSpecials(Rng& rng) {
    Names names;
    for (size_t i = 0, n = setSize(rng); i < n; ++i)
        names.push_back(randomText(rng, u"a*\\:#b1", 1 + pick(rng, 5)) + number(rng, pick(rng, 3)) +
                        randomText(rng, u"*\\:x", pick(rng, 3)) +
                        (pick(rng, 3) == 0 ? u"" : u".t*t"));
    return names;
}

inline Names tiny(Rng& rng) {
    Names names;
    for (size_t i = 0, n = 2 + pick(rng, 5); i < n; ++i)
        names.push_back(randomText(rng, u"ab12#.", 1 + pick(rng, 5)));
    return names;
}

} // namespace families

inline std::u16string randomText(Rng& rng, std::u16string_view alphabet, size_t length) {
    std::u16string s;
    for (size_t i = 0; i < length; ++i)
        s += alphabet[families::pick(rng, alphabet.size())];
    return s;
}

inline const std::vector<Family>& nameFamilies() {
    static const std::vector<Family> families = {
        {"camera numbers", false, families::camera},
        {"dates", false, families::dates},
        {"episodes", false, families::episodes},
        {"tracks", false, families::tracks},
        {"several digit runs", false, families::digitRuns},
        {"mixed and missing extensions", false, families::mixedExtensions},
        {"hash in names", false, families::hashes},
        {"case differences", false, families::caseDifferences},
        {"wide characters", false, families::wideCharacters},
        {"POSIX specials", true, families::posixSpecials},
        {"tiny random", false, families::tiny},
    };
    return families;
}

} // namespace mr::test
