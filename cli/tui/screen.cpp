#include "cli/tui/screen.h"

#include "cli/terminal_text.h"
#include "cli/tui/terminal_type.h"
#include "text/utf8.h"

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <curses.h>
#include <langinfo.h>
#include <unistd.h>

namespace mr::cli::tui {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr size_t kSignalCount = sizeof kSignals / sizeof kSignals[0];
// The most text handed to the terminal's clipboard in one sequence; more stays in the
// dialog's own clipboard.
constexpr size_t kClipboardLimit = size_t(256) << 10;

volatile sig_atomic_t gCursesActive = 0;

// The terminal goes back to how it was before the signal ends the run as it would have.
extern "C" void restoreAndDie(int sig) {
    if (gCursesActive)
        endwin();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

enum Pair : short { kGreen = 1, kRed, kYellow, kCyan, kSelected };

std::string base64(std::string_view bytes) {
    static const char* const digits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t v = 0;
        for (size_t k = 0; k < 3; ++k)
            v = v << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (size_t k = 0; k < 4; ++k)
            out += k <= n ? digits[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

} // namespace

struct Screen::Terminal {
    FILE* own = nullptr; // the terminal opened in place of standard input and output
    FILE* out = nullptr;
    SCREEN* screen = nullptr;
    std::string locale;
    bool colours = false;
    bool clipboard = false;
    struct sigaction old[kSignalCount] = {};

    ~Terminal() {
        if (screen) {
            gCursesActive = 0;
            endwin();
            delscreen(screen);
        }
        for (size_t i = 0; i < kSignalCount; ++i)
            sigaction(kSignals[i], &old[i], nullptr);
        if (own)
            std::fclose(own);
        if (!locale.empty())
            std::setlocale(LC_CTYPE, locale.c_str());
    }
};

std::unique_ptr<Screen> Screen::open(const std::string& terminal, std::string& problem) {
    auto t = std::make_unique<Terminal>();
    FILE* in = stdin;
    t->out = stdout;
    if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO)) {
        if (terminal.empty() || !(t->own = std::fopen(terminal.c_str(), "r+e"))) {
            problem = "standard input and output are not a terminal";
            if (!terminal.empty())
                problem += ", and " + terminal + " cannot be opened: " + std::strerror(errno);
            return nullptr;
        }
        in = t->out = t->own;
    }

    // Names are UTF-8 however the locale reads text; the rest of the run keeps its own.
    t->locale = std::setlocale(LC_CTYPE, nullptr);
    if (!std::setlocale(LC_CTYPE, "") || std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0)
        std::setlocale(LC_CTYPE, "C.UTF-8");

    struct sigaction restore {};
    restore.sa_handler = restoreAndDie;
    for (size_t i = 0; i < kSignalCount; ++i)
        sigaction(kSignals[i], &restore, &t->old[i]);

    if (auto why = terminalProblem(fileno(t->out))) {
        problem = *why;
        return nullptr;
    }
    t->screen = newterm(nullptr, t->out, in);
    if (!t->screen) {
        problem = "the terminal cannot be set up";
        return nullptr;
    }
    gCursesActive = 1;
    cbreak();
    noecho();
    nonl();
    intrflush(stdscr, FALSE);
    keypad(stdscr, TRUE);
    set_escdelay(25);
    curs_set(0);
    if (coloursAllowed() && has_colors()) {
        t->colours = start_color() == OK;
        use_default_colors();
        init_pair(kGreen, COLOR_GREEN, -1);
        init_pair(kRed, COLOR_RED, -1);
        init_pair(kYellow, COLOR_YELLOW, -1);
        init_pair(kCyan, COLOR_CYAN, -1);
        init_pair(kSelected, COLOR_WHITE, COLOR_BLUE);
    }
    // The Linux console reads OSC as its palette; a terminal without a name is no better.
    const char* type = std::getenv("TERM");
    t->clipboard = type && std::strncmp(type, "linux", 5) != 0 && std::strcmp(type, "dumb") != 0;
    return std::unique_ptr<Screen>(new Screen(std::move(t)));
}

Screen::Screen(std::unique_ptr<Terminal> t) : terminal_(std::move(t)) {}

Screen::~Screen() = default;

int Screen::height() const {
    return LINES;
}

int Screen::width() const {
    return COLS;
}

int Screen::attributes(const Look& look) const {
    int a = A_NORMAL;
    if (look.bold)
        a |= A_BOLD;
    if (look.reverse)
        a |= A_REVERSE;
    if (look.underline)
        a |= A_UNDERLINE;
    if (look.selected)
        return a | (terminal_->colours ? COLOR_PAIR(kSelected) : A_REVERSE);
    const bool c = terminal_->colours;
    switch (look.tone) {
    case Tone::Dim:
        return a | A_DIM;
    case Tone::Green:
        return a | (c ? COLOR_PAIR(kGreen) : 0);
    case Tone::Red:
        return a | (c ? COLOR_PAIR(kRed) : A_BOLD);
    case Tone::Yellow:
        return a | (c ? COLOR_PAIR(kYellow) : 0);
    case Tone::Cyan:
        return a | (c ? COLOR_PAIR(kCyan) : 0);
    case Tone::Plain:
        break;
    }
    return a;
}

void Screen::erase() {
    ::erase();
    cursorY_ = cursorX_ = -1;
}

int Screen::put(int y, int x, std::u16string_view text, int width, Look look) {
    if (y < 0 || y >= LINES || x < 0 || x >= COLS)
        return 0;
    width = std::min(width, COLS - x);
    if (width <= 0)
        return 0;
    size_t used = 0;
    const std::string shown = displayHead(text, static_cast<size_t>(width), &used);
    attrset(attributes(look));
    mvaddstr(y, x, shown.c_str());
    attrset(A_NORMAL);
    return static_cast<int>(used);
}

int Screen::put(int y, int x, std::string_view utf8, int width, Look look) {
    return put(y, x, fromUtf8(utf8), width, look);
}

void Screen::fill(int y, int x, int width, Look look) {
    if (y < 0 || y >= LINES || x < 0 || x >= COLS)
        return;
    width = std::min(width, COLS - x);
    if (width <= 0)
        return;
    attrset(attributes(look));
    mvhline(y, x, ' ', width);
    attrset(A_NORMAL);
}

void Screen::frame(int y, int x, int height, int width, std::string_view title) {
    for (int row = y; row < y + height; ++row)
        fill(row, x, width, {});
    if (height < 2 || width < 2)
        return;
    mvhline(y, x + 1, ACS_HLINE, width - 2);
    mvhline(y + height - 1, x + 1, ACS_HLINE, width - 2);
    mvvline(y + 1, x, ACS_VLINE, height - 2);
    mvvline(y + 1, x + width - 1, ACS_VLINE, height - 2);
    mvaddch(y, x, ACS_ULCORNER);
    mvaddch(y, x + width - 1, ACS_URCORNER);
    mvaddch(y + height - 1, x, ACS_LLCORNER);
    mvaddch(y + height - 1, x + width - 1, ACS_LRCORNER);
    if (!title.empty() && width > 6)
        put(y, x + 2, std::string(1, ' ').append(title).append(1, ' '), width - 4, {.bold = true});
}

void Screen::placeCursor(int y, int x) {
    cursorY_ = y;
    cursorX_ = x;
}

void Screen::update() {
    const bool shown = cursorY_ >= 0 && cursorY_ < LINES && cursorX_ >= 0 && cursorX_ < COLS;
    curs_set(shown ? 1 : 0);
    if (shown)
        move(cursorY_, cursorX_);
    refresh();
}

Key Screen::readKey(bool wait) {
    return tui::readKey(wait);
}

void Screen::toClipboard(std::string_view utf8) {
    if (!terminal_->clipboard || utf8.size() > kClipboardLimit)
        return;
    // Appended piece by piece: "literal" + string trips a false -Wrestrict at -O3.
    std::string sequence("\033]52;c;");
    sequence.append(base64(utf8)).append(1, '\a');
    std::fwrite(sequence.data(), 1, sequence.size(), terminal_->out);
    std::fflush(terminal_->out);
}

} // namespace mr::cli::tui
