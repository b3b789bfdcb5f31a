// Any pattern, any field settings, any names: matching, new names and the transfer of
// settings between variants never crash, and with no edit every file keeps its name.
#include "pattern/new_names.h"
#include "pattern/alignment.h"
#include "platform/common/utf8.h"
#include "support/pattern_support.h"

#include <cstdlib>

namespace {

using namespace mr;

// Line 1: settings bytes; line 2: base pattern; line 3: extension text; line 4: a
// new text for every text token; the rest: names.
std::vector<std::u16string> lines(const uint8_t* data, size_t size) {
    std::vector<std::u16string> out;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    size_t from = 0;
    for (size_t end; (end = bytes.find('\n', from)) != std::string_view::npos; from = end + 1)
        out.push_back(fromUtf8(bytes.substr(from, end - from)));
    out.push_back(fromUtf8(bytes.substr(from)));
    while (out.size() < 4)
        out.emplace_back();
    return out;
}

void edit(NamePattern& pattern, std::u16string_view settings, const std::u16string& newText) {
    size_t k = 0;
    auto next = [&]() -> int { return settings.empty() ? 0 : settings[k++ % settings.size()]; };
    for (PatternToken& t : pattern.tokens) {
        if (t.kind == TokenKind::Text && next() % 2)
            setTokenText(t, newText);
        t.length = next() - 64;
        t.truncate = next() % 2;
        t.caseMode = static_cast<uint32_t>(next() % 4);
        t.clearNumber = next() % 5 == 0;
        t.zeroMode = static_cast<uint32_t>(next() % 4);
        t.renumber = next() % 2;
        t.startNumber = static_cast<int64_t>(next()) * 1000003 - 40;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<std::u16string> parts = lines(data, size);
    RecordSet set;
    test::fillNameSet(set, {parts.begin() + 4, parts.end()});
    NamePattern variants[2];
    for (int v = 0; v < 2; ++v) {
        variants[v] = test::parsed(parts[1], parts[2], v == 1);
        collectNumberMinimums(set, variants[v]);
        regenerateNewNames(set, variants[v]);
        set.forEachFile([](const FileRecord& file) {
            if (file.takesPart && file.newName != file.name)
                std::abort();
        });
    }
    edit(variants[0], parts[0], parts[3]);
    transferFieldSettings(variants[1], variants[0]);
    regenerateNewNames(set, variants[1]);
    transferFieldSettings(variants[0], variants[1]);
    regenerateNewNames(set, variants[0]);
    return 0;
}
