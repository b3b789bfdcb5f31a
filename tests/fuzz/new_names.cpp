// Any pattern, settings and names: nothing crashes, and with no edit every name stays.
#include "pattern/new_names.h"
#include "fuzz/input.h"
#include "pattern/alignment.h"
#include "support/pattern_support.h"

namespace {

using namespace mr;

void edit(NamePattern& pattern, std::u16string_view settings, const std::u16string& newText) {
    size_t k = 0;
    auto next = [&]() -> int { return settings.empty() ? 0 : settings[k++ % settings.size()]; };
    for (PatternToken& t : pattern.tokens) {
        if (t.kind == TokenKind::Text && next() % 2)
            setTokenText(t, newText);
        t.length = next() - 64;
        t.truncate = next() % 2;
        t.caseMode = static_cast<CaseMode>(next() % 4);
        t.clearNumber = next() % 5 == 0;
        t.zeroMode = static_cast<ZeroMode>(next() % 4);
        t.renumber = next() % 2;
        t.startNumber = static_cast<int64_t>(next()) * 1000003 - 40;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Lines: settings, base, extension, new text for text tokens, then names.
    const std::vector<std::u16string> parts = fuzz::lines(data, size, 0, 4);
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
