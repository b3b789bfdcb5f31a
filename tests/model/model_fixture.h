#pragma once
#include "recording_view.h"
#include "support/memory_file_system.h"
#include "ui/model/change_text_model.h"

#include <memory>

namespace mr::test {

// A model over the files the host passed; names without a folder go to C:\P\.
struct ModelFixture {
    MemoryFileSystem fs;
    RecordSet set;
    RecordingView view;
    CheckBoxMemory remembered;
    std::unique_ptr<ChangeTextModel> model;

    // `rememberedBoxes`: both check boxes as the last dialog left them.
    explicit ModelFixture(std::vector<std::u16string> names,
                          std::vector<std::u16string> unlisted = {}, bool rememberedBoxes = false)
        : remembered{rememberedBoxes, rememberedBoxes} {
        for (auto& n : names) {
            n = n.find(u'\\') == std::u16string::npos ? u"C:\\P\\" + n : n;
            fs.add(n.substr(0, n.rfind(u'\\') + 1), n.substr(n.rfind(u'\\') + 1));
        }
        for (auto& n : unlisted)
            fs.add(u"C:\\P\\", n);
        fillRecordSet(set, names, fs);
        model = std::make_unique<ChangeTextModel>(u"Sorrelcast", set, remembered);
        model->initialise(&view);
    }

    std::vector<std::u16string> newNames() const {
        std::vector<std::u16string> out;
        for (auto* f : model->rows())
            out.push_back(f->newName);
        return out;
    }
};

} // namespace mr::test
