#pragma once
// One line of editable text, as an edit control keeps it: a caret, the whole text
// selected when the edit is entered with Tab, and a view that scrolls to the caret.
#include "cli/tui/keys.h"
#include "cli/tui/screen.h"

#include <cstddef>
#include <limits>
#include <string>

namespace mr::cli::tui {

class LineEdit {
public:
    enum class Result { Ignored, Moved, Changed };

    const std::u16string& text() const { return text_; }
    // New text from outside; the caret goes to its end.
    void set(std::u16string text);
    // Entered: all the text selected, the caret at its end.
    void enter();
    // Left: the beginning of the text shows again.
    void leave();

    // Typing, deleting, moving the caret, Ctrl+U. Edits that would pass `limit` code
    // units are refused; with `digitsOnly` only 0 to 9 can be typed.
    Result handle(const Key& key, bool digitsOnly = false,
                  size_t limit = std::numeric_limits<size_t>::max());

    // The text in `width` columns from (y, x); with `focused` the caret is placed.
    void draw(Screen& screen, int y, int x, int width, Look look, bool focused);

private:
    void replaceAll(std::u16string text);

    std::u16string text_;
    size_t caret_ = 0;
    size_t scroll_ = 0; // the first code unit shown
    bool allSelected_ = false;
};

} // namespace mr::cli::tui
