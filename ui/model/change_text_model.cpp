#include "ui/model/change_text_model.h"

#include "pattern/alignment.h"
#include "pattern/derivation.h"
#include "pattern/matching.h"
#include "pattern/new_names.h"
#include "pattern/parser.h"
#include "rename/execution.h"
#include "rename/messages.h"
#include "rename/validation.h"
#include "seams/rename_progress.h"
#include "ui/model/name_transfer.h"

#include <algorithm>

namespace mr {

ChangeTextModel::ChangeTextModel(std::u16string productName, RecordSet& records,
                                 CheckBoxMemory& remembered)
    : productName_(std::move(productName)), records_(records), remembered_(remembered) {
    allowExtensionChanges_ = remembered.allowExtensionChanges;
    numbersAsText_ = remembered.numbersAsText;
    derive();
    markTakingPart(records_, currentPattern());
}

void ChangeTextModel::derive() {
    CheckBoxFlags flags{allowExtensionChanges_, allowExtensionChangesEnabled_, numbersAsText_,
                        numbersAsTextEnabled_};
    buildPatternVariants(records_, patterns_, flags, false);
    buildPatternVariants(records_, patterns_, flags, true);
    allowExtensionChanges_ = flags.allowExtensionChanges;
    allowExtensionChangesEnabled_ = flags.allowExtensionChangesEnabled;
    numbersAsText_ = flags.numbersAsText;
    numbersAsTextEnabled_ = flags.numbersAsTextEnabled;
}

void ChangeTextModel::initialise(ChangeTextView* view) {
    view_ = view;
    rows_.clear();
    records_.forEachFile([&](FileRecord& f) {
        if (!f.hidden)
            rows_.push_back(&f);
    });
    selected_.assign(rows_.size(), 0);
    rebuildFields();
    refreshNumberMinimums();
    assignListPositions();
    refreshNewNames();
    ready_ = true;
}

bool ChangeTextModel::boxChecked(CheckBox box) const {
    return box == CheckBox::AllowExtensionChanges ? allowExtensionChanges_ : numbersAsText_;
}
bool ChangeTextModel::boxEnabled(CheckBox box) const {
    return editingEnabled_ &&
           (box == CheckBox::AllowExtensionChanges ? allowExtensionChangesEnabled_
                                                   : numbersAsTextEnabled_);
}

size_t ChangeTextModel::selectedCount() const {
    return static_cast<size_t>(std::count(selected_.begin(), selected_.end(), uint8_t{1}));
}

void ChangeTextModel::rebuildFields() {
    fields_.clear();
    const TokenList& tokens = currentPattern().tokens;
    for (const PatternToken& t : tokens) {
        switch (t.kind) {
        case TokenKind::Text:
            fields_.push_back({t.newText, false});
            break;
        case TokenKind::Number:
            fields_.push_back({u"#", true});
            break;
        case TokenKind::Wildcard:
            fields_.push_back({u"*", true});
            break;
        }
    }
    if (!tokens.empty() && tokens.back().kind == TokenKind::Wildcard)
        fields_.back().text = u".*";
    if (view_)
        view_->fieldsRebuilt();
}

void ChangeTextModel::switchPattern() {
    ready_ = false;
    rebuildFields();
    refreshNewNames();
    ready_ = true;
}

void ChangeTextModel::refreshNewNames() {
    // A refresh depends only on the pattern and the pasted names, so the last one wins.
    if (editDepth_ > 0) {
        refreshPending_ = true;
        return;
    }
    const NamePattern& pattern = currentPattern();
    regenerateNewNames(records_, pattern, &matches_, &halves_);
    const bool invalid =
        std::any_of(pattern.tokens.begin(), pattern.tokens.end(), [](const PatternToken& t) {
            return t.kind == TokenKind::Text && t.hasInvalidChars;
        });
    if (invalid)
        records_.forEachFile([](FileRecord& f) { f.status = FileStatus::InvalidChars; });
    else
        validator_.validateAll(records_);
    if (view_)
        view_->namesRefreshed();
}

void ChangeTextModel::endEdits() {
    if (--editDepth_ > 0 || !refreshPending_)
        return;
    refreshPending_ = false;
    refreshNewNames();
}

void ChangeTextModel::resetAll() {
    for (NamePattern& p : patterns_)
        p = NamePattern{};
    derive();
    // Fresh variants count from 0 until their smallest values are found again.
    refreshNumberMinimums();
    for (FileRecord* f : rows_)
        f->pastedName = false;
    switchPattern();
    setEditingEnabled(true);
}

void ChangeTextModel::setEditingEnabled(bool on) {
    editingEnabled_ = on;
    if (view_)
        view_->editingEnabledChanged();
}

void ChangeTextModel::refreshNumberMinimums() {
    collectNumberMinimums(records_, patterns_[0], &halves_);
    collectNumberMinimums(records_, patterns_[1], &halves_);
}

void ChangeTextModel::assignListPositions() {
    records_.forEachFile([](FileRecord& f) {
        f.listPosition = 0;
        f.folderPosition = 0;
    });
    std::vector<std::pair<const FolderRecord*, uint32_t>> counts;
    for (size_t i = 0; i < rows_.size(); ++i) {
        FileRecord* f = rows_[i];
        f->listPosition = static_cast<uint32_t>(i);
        // Rows come folder by folder, so the running count is usually the last entry.
        auto it = std::find_if(counts.rbegin(), counts.rend(),
                               [&](const auto& c) { return c.first == f->folder; });
        if (it == counts.rend()) {
            counts.emplace_back(f->folder, 0);
            it = counts.rbegin();
        }
        f->folderPosition = it->second++;
    }
}

bool ChangeTextModel::clickCheckBox(CheckBox box) {
    if (!boxEnabled(box))
        return false;
    const int previous = currentPatternIndex();
    const bool extension = box == CheckBox::AllowExtensionChanges;
    bool& checked = extension ? allowExtensionChanges_ : numbersAsText_;
    checked = !checked;
    (extension ? remembered_.allowExtensionChanges : remembered_.numbersAsText) = checked;
    // The user's field settings go along to the other variant.
    transferFieldSettings(editablePattern(), patterns_[previous]);
    switchPattern();
    return true;
}

bool ChangeTextModel::setFieldText(size_t field, std::u16string_view text) {
    if (!editingEnabled_ || field >= fields_.size() || fields_[field].isButton)
        return false;
    text = text.substr(0, kFieldTextLimit);
    if (fields_[field].text == text)
        return true;
    fields_[field].text = std::u16string(text);
    TokenList& tokens = editablePattern().tokens;
    if (field < tokens.size())
        setTokenText(tokens[field], text);
    refreshNewNames();
    return true;
}

PatternToken* ChangeTextModel::fieldToken(size_t field) {
    TokenList& tokens = editablePattern().tokens;
    if (!editingEnabled_ || field >= fields_.size() || !fields_[field].isButton ||
        field >= tokens.size())
        return nullptr;
    return &tokens[field];
}

RenameOutcome ChangeTextModel::rename(RenameProgress& mover, void* ownerWindow) {
    const RenameDecision decision = decideRename(records_);
    switch (decision.action) {
    case RenameDecision::Action::ShowProblems:
        message(decision.messageId, decision.message, decision.icon);
        return RenameOutcome::Refused;
    case RenameDecision::Action::Rename:
        executeRenames(ownerWindow, records_, mover);
        return RenameOutcome::Renamed;
    case RenameDecision::Action::NoChange:
        break;
    }
    message(decision.messageId, decision.message, decision.icon);
    return RenameOutcome::NothingToDo;
}

std::vector<FileRecord*> ChangeTextModel::targetRows(bool selectedOnly) const {
    if (!selectedOnly)
        return rows_;
    std::vector<FileRecord*> out;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (selected_[i])
            out.push_back(rows_[i]);
    return out;
}

void ChangeTextModel::message(uint32_t id, std::u16string_view text, MessageIcon icon) {
    if (view_)
        view_->showMessage(id, text, icon);
}

void ChangeTextModel::copyNames(bool selectedOnly) {
    if (!view_)
        return;
    if (!view_->putClipboardText(copiedNamesText(targetRows(selectedOnly))))
        return;
    message(IDS_NAMES_COPIED, moduleString(IDS_NAMES_COPIED), MessageIcon::Information);
}

void ChangeTextModel::pasteNames(bool selectedOnly) {
    if (!view_)
        return;
    const auto text = view_->clipboardText();
    if (!text)
        return;
    const PasteLines paste = splitPastedNames(*text);
    if (paste.refusal) {
        message(paste.refusal, moduleString(paste.refusal), MessageIcon::Exclamation);
        return;
    }
    const std::vector<FileRecord*> files = targetRows(selectedOnly);
    if (files.size() != paste.lines.size()) {
        message(IDS_PASTE_LINE_COUNT, lineCountMessage(files.size(), paste.lines.size()),
                MessageIcon::Exclamation);
        return;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        files[i]->newName = pastedNewName(paste.lines[i], files[i]->name, allowExtensionChanges_);
        files[i]->pastedName = true;
    }
    refreshNewNames();
    const bool allPasted =
        std::all_of(rows_.begin(), rows_.end(), [](const FileRecord* f) { return f->pastedName; });
    if (!selectedOnly || allPasted)
        setEditingEnabled(false);
}

void ChangeTextModel::resetNames() {
    if (selectedCount() == 0) {
        switchPattern();
        return;
    }
    for (size_t i = 0; i < rows_.size(); ++i)
        if (selected_[i])
            rows_[i]->pastedName = false;
    switchPattern();
    setEditingEnabled(true);
}

void ChangeTextModel::removeFiles() {
    if (selectedCount() == rows_.size()) {
        message(IDS_REMOVE_EVERY_FILE, moduleString(IDS_REMOVE_EVERY_FILE),
                MessageIcon::Exclamation);
        return;
    }
    size_t kept = 0;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (selected_[i]) {
            rows_[i]->takesPart = false;
            rows_[i]->hidden = true;
        } else {
            rows_[kept++] = rows_[i];
        }
    }
    rows_.resize(kept);
    selected_.assign(kept, 0);
    if (view_)
        view_->rowsRemoved();
    refreshNumberMinimums();
    assignListPositions();
    refreshNewNames();
}

void ChangeTextModel::setSelected(size_t row, bool selected) {
    if (row < selected_.size())
        selected_[row] = selected ? 1 : 0;
}

void ChangeTextModel::selectOnly(const std::vector<size_t>& rows) {
    std::fill(selected_.begin(), selected_.end(), uint8_t{0});
    for (size_t r : rows)
        setSelected(r, true);
}

void ChangeTextModel::selectAll() {
    std::fill(selected_.begin(), selected_.end(), uint8_t{1});
}

void ChangeTextModel::invertSelection() {
    for (auto& s : selected_)
        s = s ? 0 : 1;
}

std::u16string ChangeTextModel::menuText(std::u16string_view text) const {
    const std::u16string_view plural = selectedCount() == 1 ? u"" : u"s";
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, 3) == u"(s)") {
            out += plural;
            i += 3;
        } else {
            out += text[i++];
        }
    }
    return out;
}

} // namespace mr
