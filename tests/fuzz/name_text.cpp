// isValidNameText against its own walk over expandTag, which reads alike with or without a file.
#include "fuzz/input.h"
#include "pattern/parser.h"
#include "pattern/tags.h"
#include "rename/records.h"
#include "support/pattern_support.h"

namespace {

using namespace mr;
using fuzz::require;

// Where a tag whose body starts at `from` ends: after a '>', before a '<', or at the end.
size_t tagEnd(std::u16string_view text, size_t from) {
    for (size_t j = from; j < text.size(); ++j) {
        if (text[j] == u'>')
            return j + 1;
        if (text[j] == u'<')
            return j;
    }
    return text.size();
}

struct Sample {
    FolderRecord folder;
    FileRecord file;
    NamePattern pattern = test::parsed(u"IMG_#", u".*", true);
    CaptureList captures;

    Sample(std::u16string path, uint64_t time, uint64_t size, uint32_t position) {
        folder.path = std::move(path);
        file.lastWriteTime = time;
        file.creationTime = time / 2;
        file.size = size;
        file.listPosition = position;
        file.folderPosition = position / 2;
        file.folder = &folder;
        const std::u16string_view texts[] = {u"IMG_", u"0042", u"", u".jpg"};
        for (size_t i = 0; i < pattern.tokens.size(); ++i)
            captures.push_back({&pattern.tokens[i], texts[i]});
    }
};

// Whether the tag whose body starts at `from` is recognised, checked and rendered alike.
bool checkTag(std::u16string_view text, size_t from, const Sample& s) {
    size_t checkPos = from;
    const bool recognised = expandTag(text, checkPos, nullptr, nullptr, nullptr);
    require(checkPos == tagEnd(text, from), "check-only tag ends elsewhere");

    std::u16string value;
    size_t pos = from;
    require(expandTag(text, pos, &s.file, &s.captures, &value) == recognised,
            "rendering recognises otherwise");
    require(pos == checkPos, "rendering ends elsewhere");
    require(recognised || value.empty(), "an unrecognised tag wrote text");
    require(value.size() <= kMaxTokenOutput, "value longer than 260");

    // A filled buffer takes only what fits, and what it takes is the value's start.
    for (size_t filled : {size_t{0}, size_t{250}, size_t{259}, kMaxTokenOutput, size_t{300}}) {
        std::u16string out(filled, u'x');
        size_t p = from;
        expandTag(text, p, &s.file, &s.captures, &out);
        const size_t room = filled < kMaxTokenOutput ? kMaxTokenOutput - filled : 0;
        require(out.size() == filled + std::min(room, value.size()), "cut in the wrong place");
        require(std::u16string_view(out).substr(filled) ==
                    std::u16string_view(value).substr(0, out.size() - filled),
                "cut text differs");
    }
    return recognised;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::u16string text =
        fromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    static const Sample samples[] = {
        {u"D:\\Work\\2024\\", 133541234567890123ULL, 1536, 2},
        {u"C:\\", 0, ~uint64_t{0}, ~uint32_t{0}},
    };
    for (const Sample& s : samples) {
        // Every '<', also those inside a tag, reads within bounds.
        std::vector<bool> recognised(text.size());
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == u'<')
                recognised[i] = checkTag(text, i + 1, s);
        // No control character anywhere, and the '<'s the name check meets, found by a walk
        // of this test's own.
        bool valid = std::none_of(text.begin(), text.end(), [](char16_t c) { return c < 0x20; });
        for (size_t i = 0; i < text.size() && valid;) {
            if (text[i] == u'<') {
                valid = recognised[i];
                i = tagEnd(text, i + 1);
            } else {
                valid =
                    std::u16string_view(u"\"*:?\\|>/").find(text[i++]) == std::u16string_view::npos;
            }
        }
        require(isValidNameText(text) == valid, "isValidNameText disagrees");
    }
    return 0;
}
