#pragma once
// A small modal form in a box, as the field dialogs are: push buttons, check boxes,
// radio buttons and digit edits placed by row and column, OK and Cancel at the bottom.
// The focus starts on OK; a control that turns disabled hands the focus back to OK.
#include "cli/tui/line_edit.h"
#include "cli/tui/screen.h"

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace mr::cli::tui {

struct FormItem {
    enum class Kind { Group, Label, Button, Check, Radio, Edit };
    Kind kind = Kind::Label;
    std::string caption; // UTF-8; a Group is the title of a group of controls
    int row = 0;         // inside the box
    int column = 0;
    std::function<bool()> enabled{}; // empty: always
    std::function<bool()> checked{}; // a check box or a radio button
    std::function<void()> press{};   // a button, a check box or a radio button
    // An edit: its text, its width in columns, its limit in characters; digits only.
    LineEdit* edit = nullptr;
    int width = 0;
    size_t limit = std::numeric_limits<size_t>::max();
    std::function<void(const std::u16string&)> changed{};
};

// True for OK, false for Cancel (Esc).
bool runForm(Screen& screen, const Backdrop& backdrop, std::string_view title, int rows,
             int columns, std::vector<FormItem>& items);

} // namespace mr::cli::tui
