#pragma once
// The pattern field row in the terminal: an edit per text field, a [#] or [*] button
// per field, laid out by the dialog's own row arithmetic with a column for 8 DIP.
#include "cli/tui/line_edit.h"
#include "cli/tui/screen.h"
#include "ui/model/change_text_model.h"

#include <optional>
#include <vector>

namespace mr::cli::tui {

class FieldRow {
public:
    explicit FieldRow(ChangeTextModel& model) : model_(model) { rebuild(); }

    // The model built its fields anew (a variant switch, Reset).
    void rebuild();
    size_t count() const { return edits_.size(); }
    bool isButton(size_t field) const { return model_.fields()[field].isButton; }
    std::optional<size_t> firstEdit() const;

    void enter(size_t field) { edits_[field].enter(); }
    void leave(size_t field) { edits_[field].leave(); }
    // A key for the focused text field. Its text reaches the model, which makes every
    // new name, at `commit`: keys that came together (a paste) cost one refresh.
    LineEdit::Result type(size_t field, const Key& key);
    void commit();

    // The row across the screen at line y; the focused field always shows.
    void draw(Screen& screen, int y, std::optional<size_t> focused);

private:
    ChangeTextModel& model_;
    std::vector<LineEdit> edits_;   // one per field; a button's stays unused
    std::optional<size_t> typedIn_; // a field whose text the model has yet to get
};

} // namespace mr::cli::tui
