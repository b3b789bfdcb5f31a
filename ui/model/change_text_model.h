#pragma once
// The Multi Rename dialog without a window: its state and every rule that needs no
// window. The Windows dialog and the command line both drive this one model.
#include "pattern/new_names.h"
#include "pattern/token.h"
#include "rename/records.h"
#include "rename/validation.h"
#include "text/two_halves.h"
#include "ui/model/change_text_view.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mr {

class RenameProgress;

// One control of the field row: an edit for a text token, a button for a field.
struct PatternFieldInfo {
    std::u16string text; // newText, "#", "*", or ".*" for the extension wildcard
    bool isButton = false;
};

// The most of a field edit's text that reaches its token: what the dialog reads back
// from an edit into a buffer of 260 characters.
constexpr size_t kFieldTextLimit = 259;

enum class CheckBox { AllowExtensionChanges, NumbersAsText };

// The check box states the last dialog of a process left, which the next one opens
// with. The module keeps one for its process; each command line run starts afresh.
struct CheckBoxMemory {
    bool allowExtensionChanges = false;
    bool numbersAsText = false;
};

// What "Rename" did.
enum class RenameOutcome {
    Refused,     // problems were shown; the dialog stays open
    Renamed,     // the mover was called; the dialog closes with OK
    NothingToDo, // nothing changes; the dialog closes with OK
};

class ChangeTextModel {
public:
    // Derives the variants and decides who takes part; no view is called yet. The
    // check boxes open as `remembered` holds them, and clicks are kept there.
    ChangeTextModel(std::u16string productName, RecordSet& records, CheckBoxMemory& remembered);
    ChangeTextModel(const ChangeTextModel&) = delete;
    ChangeTextModel& operator=(const ChangeTextModel&) = delete;

    // The window's initialisation: check boxes, rows, fields, minimums, positions,
    // and the first refresh. The view may be null (tests).
    void initialise(ChangeTextView* view);
    // Another view takes over the initialised model (the terminal dialog after the
    // options of a command line).
    void setView(ChangeTextView* view) { view_ = view; }

    // --- state ---
    const std::u16string& productName() const { return productName_; }
    RecordSet& records() { return records_; }
    const RecordSet& records() const { return records_; }
    const PatternVariants& patterns() const { return patterns_; }
    bool allowExtensionChanges() const { return allowExtensionChanges_; }
    bool allowExtensionChangesEnabled() const { return allowExtensionChangesEnabled_; }
    bool numbersAsText() const { return numbersAsText_; }
    bool numbersAsTextEnabled() const { return numbersAsTextEnabled_; }
    // False while every file has a pasted name: the fields then take no edits.
    bool editingEnabled() const { return editingEnabled_; }
    // False while the fields are being rebuilt: their notifications are no edits.
    bool ready() const { return ready_; }

    // The two check box controls as the user sees them.
    bool boxChecked(CheckBox box) const;
    bool boxEnabled(CheckBox box) const;

    int currentPatternIndex() const { return variantIndex(numbersAsText_, allowExtensionChanges_); }
    const NamePattern& currentPattern() const { return patterns_[currentPatternIndex()]; }

    const std::vector<PatternFieldInfo>& fields() const { return fields_; }
    // The listed files, top to bottom, and their selection.
    const std::vector<FileRecord*>& rows() const { return rows_; }
    bool isSelected(size_t row) const { return selected_[row] != 0; }
    size_t selectedCount() const;
    bool hasFolderColumn() const { return records_.folders.size() > 1; }

    // --- the dialog's operations ---
    void switchPattern();
    void refreshNewNames();
    void resetAll();
    void setEditingEnabled(bool on);
    void refreshNumberMinimums();
    void assignListPositions();

    // --- events ---
    // A click on a check box; returns false when the box is disabled (no click).
    bool clickCheckBox(CheckBox box);
    // The edit of a text field now holds text; false when `field` is not an edit or
    // editing is disabled.
    bool setFieldText(size_t field, std::u16string_view text);
    // The token behind a field button (for the Change Number / Change Wild models);
    // null when `field` is not a button or editing is disabled.
    PatternToken* fieldToken(size_t field);
    // A field dialog closed with OK after changing the token.
    void fieldChanged() { refreshNewNames(); }

    // Between beginEdits() and endEdits() the names and statuses are refreshed once, at
    // the end: for a driver that observes nothing between its edits. They nest.
    void beginEdits() { ++editDepth_; }
    void endEdits();
    RenameOutcome rename(RenameProgress& mover, void* ownerWindow);
    void copyNames(bool selectedOnly);
    void pasteNames(bool selectedOnly);
    void resetNames();
    void removeFiles();
    void setSelected(size_t row, bool selected);
    void selectOnly(const std::vector<size_t>& rows);
    void selectAll();
    void invertSelection();

    // A context-menu text with each "(s)" resolved for the current selection.
    std::u16string menuText(std::u16string_view text) const;

private:
    NamePattern& editablePattern() { return patterns_[currentPatternIndex()]; }
    void derive();
    void rebuildFields();
    std::vector<FileRecord*> targetRows(bool selectedOnly) const;
    void message(uint32_t id, std::u16string_view text, MessageIcon icon);

    std::u16string productName_;
    RecordSet& records_;
    CheckBoxMemory& remembered_;
    PatternVariants patterns_;
    // The check boxes: checked picks the current variant; *Enabled says whether the names
    // allow the box at all (it is shown enabled while editing is too).
    bool allowExtensionChanges_ = false;
    bool allowExtensionChangesEnabled_ = true;
    bool numbersAsText_ = false;
    bool numbersAsTextEnabled_ = true;
    bool editingEnabled_ = true;
    bool ready_ = false;
    ChangeTextView* view_ = nullptr;
    std::vector<PatternFieldInfo> fields_;
    std::vector<FileRecord*> rows_;
    std::vector<uint8_t> selected_;
    int editDepth_ = 0;
    bool refreshPending_ = false;
    // What one refresh keeps for the next: the second thread, the names' matches, the
    // folders' indexes.
    HalvesThread halves_;
    NameMatches matches_;
    Validator validator_{&halves_};
};

} // namespace mr
