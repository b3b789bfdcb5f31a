// A refused paste changes nothing; an accepted one gives each target a clean pasted name.
#include "fuzz/input.h"
#include "model/recording_view.h"
#include "support/pattern_support.h"
#include "text/utf8.h"
#include "ui/model/change_text_model.h"

namespace {

using namespace mr;
using fuzz::require;

struct Row {
    std::u16string newName;
    bool pastedName;
    bool takesPart;
    FileStatus status;
    bool operator==(const Row&) const = default;
};

bool hasControl(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < 0x20; });
}

std::vector<Row> rowsOf(const ChangeTextModel& model) {
    std::vector<Row> out;
    for (const FileRecord* f : model.rows())
        out.push_back({f->newName, f->pastedName, f->takesPart, f->status});
    return out;
}

} // namespace

// Byte 0: bit 0 paste onto the selection only, bit 1 allow extension changes, bit 2
// paste twice; byte 1: which of the first eight rows are selected. Then the names, one
// per line, up to a NUL; the clipboard text after it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 8192)
        return 0;
    const bool selectedOnly = data[0] & 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t nul = std::min(bytes.find('\0', 2), size);
    std::vector<std::u16string> names;
    for (std::u16string& name : fuzz::lines(data, nul, 2)) {
        name.resize(std::min<size_t>(name.size(), 64));
        if (!name.empty() && name.find_first_of(u"\\/:*?\"<>|") == std::u16string::npos &&
            !hasControl(name) && names.size() < 16)
            names.push_back(name);
    }
    RecordSet set;
    test::fillNameSet(set, names, u"C:\\F\\");
    CheckBoxMemory remembered;
    ChangeTextModel model(u"Fuzz", set, remembered);
    test::RecordingView view;
    model.initialise(&view);
    if (data[0] & 2)
        model.clickCheckBox(CheckBox::AllowExtensionChanges);
    for (size_t row = 0; row < model.rows().size() && row < 8; ++row)
        model.setSelected(row, (data[1] >> row) & 1);

    view.clipboard = nul < size ? fromUtf8(bytes.substr(nul + 1)) : std::u16string();
    for (int round = 0; round < ((data[0] & 4) ? 2 : 1); ++round) {
        const std::vector<Row> before = rowsOf(model);
        const bool editing = model.editingEnabled();
        const size_t shown = view.messages.size();
        model.pasteNames(selectedOnly);
        if (view.messages.size() > shown) {
            require(view.messages.size() == shown + 1, "more than one message");
            const uint32_t id = view.messages.back().id;
            require(id == 2519 || id == 2520 || id == 2522, "unexpected message");
            require(rowsOf(model) == before, "a refused paste changed a row");
            require(model.editingEnabled() == editing, "a refused paste changed the fields");
            continue;
        }
        for (size_t row = 0; row < model.rows().size(); ++row) {
            const FileRecord& f = *model.rows()[row];
            if (selectedOnly && !model.isSelected(row)) {
                require(f.newName == before[row].newName, "an unselected row changed");
                continue;
            }
            require(f.pastedName, "a target row has no pasted name");
            require(f.newName.find_first_of(u"\\/:*?\"<>|") == std::u16string::npos &&
                        !hasControl(f.newName),
                    "a pasted name holds a forbidden character");
        }
    }
    return 0;
}
