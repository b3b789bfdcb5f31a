#pragma once
// The names list in the terminal: Old Name, New Name (and Folder) with the table's
// status marks, a focused row, selected rows, type-to-find. Only the rows on screen
// are drawn, so a list of 100,000 names costs no more than one of twenty.
#include "cli/tui/keys.h"
#include "cli/tui/screen.h"
#include "ui/model/change_text_model.h"

#include <chrono>
#include <string>

namespace mr::cli::tui {

class NamesList {
public:
    explicit NamesList(ChangeTextModel& model) : model_(model) { rowsChanged(); }

    // Rows left the list: the focus stays in it and the columns fit what is left.
    void rowsChanged();
    size_t focusedRow() const { return focused_; }
    // The focused row, when the list has rows, and its line at the last drawing.
    const FileRecord* focusedRecord() const;
    int focusedLine() const { return focusedLine_; }

    // Moving, Space to select, letters to find; false for a key it does not take.
    bool handle(const Key& key);

    // The column titles on line y, then `height` - 1 rows below them.
    void draw(Screen& screen, int y, int height, bool hasFocus);

private:
    void focus(size_t row);

    ChangeTextModel& model_;
    size_t focused_ = 0;
    size_t top_ = 0;
    size_t page_ = 1; // rows on screen at the last drawing
    int focusedLine_ = 0;
    size_t oldWidth_ = 0; // the widest old name and folder: they never change
    size_t folderWidth_ = 0;
    std::u16string typed_; // type-to-find
    std::chrono::steady_clock::time_point lastTyped_;
};

} // namespace mr::cli::tui
