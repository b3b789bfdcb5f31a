#pragma once
#include "recording_view.h"
#include "support/memory_file_system.h"
#include "ui/model/change_text_model.h"

#include <memory>

namespace mr::test {

// A model over the files of one or more folders; every named file is selected by the
// host. Names with a folder part ("D:\\x\\a.txt") go to that folder, others to C:\P\.
struct ModelFixture {
    MemoryFileSystem fs;
    RecordSet set;
    RecordingView view;
    std::unique_ptr<ChangeTextModel> model;

    explicit ModelFixture(std::vector<std::u16string> names,
                          std::vector<std::u16string> unlisted = {}) {
        ChangeTextModel::rememberedAllowExtensionChanges = false;
        ChangeTextModel::rememberedNumbersAsText = false;
        open(std::move(names), std::move(unlisted));
    }

    void open(std::vector<std::u16string> names, std::vector<std::u16string> unlisted = {}) {
        std::vector<std::u16string> paths;
        for (auto& n : names) {
            const auto full = n.find(u'\\') == std::u16string::npos ? u"C:\\P\\" + n : n;
            const auto cut = full.rfind(u'\\') + 1;
            fs.add(full.substr(0, cut), full.substr(cut));
            paths.push_back(full);
        }
        for (auto& n : unlisted)
            fs.add(u"C:\\P\\", n);
        fillRecordSet(set, paths, fs);
        model = std::make_unique<ChangeTextModel>(u"Sorrelcast", set);
        model->initialise(&view);
    }

    std::vector<std::u16string> newNames() const {
        std::vector<std::u16string> out;
        for (auto* f : model->rows())
            out.push_back(f->newName);
        return out;
    }
    std::vector<FileStatus> statuses() const {
        std::vector<FileStatus> out;
        for (auto* f : model->rows())
            out.push_back(f->status);
        return out;
    }
};

} // namespace mr::test
