#pragma once
// The terminal as the dialog draws on it: a grid of cells in columns, looks instead of
// colour codes, one cursor, and the terminal handed back as it was found, also when a
// signal ends the run.
#include "cli/status_marks.h"
#include "cli/tui/keys.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace mr::cli::tui {

struct Look {
    Tone tone = Tone::Plain;
    bool bold = false;
    bool reverse = false;
    bool underline = false;
    bool selected = false; // a selected row of the names list
};

// Draws what lies under a box: the dialog redraws itself before a box draws on top.
using Backdrop = std::function<void()>;

class Screen {
public:
    // Takes over standard input and output when both are terminals, else `terminal`;
    // null, with the reason, when there is no terminal that can show the dialog.
    static std::unique_ptr<Screen> open(const std::string& terminal, std::string& problem);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    int height() const;
    int width() const;

    // Starts a frame: everything blank, no cursor.
    void erase();
    // Text from (y, x) in at most `width` columns, never past the right edge; control
    // characters and undecodable bytes shown as escapes. Returns the columns used.
    int put(int y, int x, std::u16string_view text, int width, Look look = {});
    int put(int y, int x, std::string_view utf8, int width, Look look = {});
    // Blanks in that look.
    void fill(int y, int x, int width, Look look);
    // A bordered box with a title in its top edge, its inside blank.
    void frame(int y, int x, int height, int width, std::string_view title);
    void placeCursor(int y, int x);
    // Shows the frame.
    void update();

    Key readKey(bool wait = true);
    // Hands text to the terminal's clipboard (OSC 52), where the terminal takes it.
    void toClipboard(std::string_view utf8);

private:
    struct Terminal;
    explicit Screen(std::unique_ptr<Terminal> t);
    int attributes(const Look& look) const;

    std::unique_ptr<Terminal> terminal_;
    int cursorY_ = -1, cursorX_ = -1;
};

} // namespace mr::cli::tui
