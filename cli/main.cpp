// multirename: the Multi Rename dialog's logic from a command line.
#include "cli/fd_output.h"
#include "cli/run.h"
#include "cli/terminal_text.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#include "text/utf8.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include "cli/tui/terminal_dialog.h"

#include <csignal>
#include <sys/ioctl.h>
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

bool colourWanted(bool terminal) {
    return terminal && mr::cli::coloursAllowed();
}

#ifdef _WIN32
size_t consoleColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_OUTPUT_HANDLE), &info))
        return 0;
    return static_cast<size_t>(info.srWindow.Right - info.srWindow.Left + 1);
}

bool isConsole(DWORD which, bool enableColour) {
    HANDLE h = GetStdHandle(which);
    DWORD mode = 0;
    if (h == INVALID_HANDLE_VALUE || !GetConsoleMode(h, &mode))
        return false;
    if (enableColour)
        SetConsoleMode(h, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    return true;
}
#endif

} // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    // Our text is UTF-8 throughout; the console is told so, and pipes get the bytes.
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring w(argv[i]);
        args.push_back(mr::toUtf8(std::u16string(w.begin(), w.end())));
    }
    mr::cli::RunEnvironment env;
    env.colour = colourWanted(isConsole(STD_OUTPUT_HANDLE, true));
    env.progress = isConsole(STD_ERROR_HANDLE, true);
    env.columns = consoleColumns();
#else
int main(int argc, char** argv) {
#ifdef __GLIBC__
    // One short run builds and drops large tables of names: memory freed is kept for
    // the next table instead of going back to the system and faulting in again.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    // ... and by every thread: the second core's half of a loop would otherwise fill
    // an arena of its own beside what the first one freed.
    mallopt(M_ARENA_MAX, 1);
#endif
    // A closed pipe or a file-size limit is an error to report, not a reason to die
    // between two renames.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    mr::cli::RunEnvironment env;
    env.colour = colourWanted(isatty(STDOUT_FILENO) != 0);
    env.progress = isatty(STDERR_FILENO) != 0;
    if (winsize ws{}; isatty(STDOUT_FILENO) && ioctl(STDOUT_FILENO, TIOCGWINSZ, &ws) == 0)
        env.columns = ws.ws_col;
    // The editor and the dialog find the terminal there when a list comes on standard input.
    env.terminal = "/dev/tty";
    env.interactive = mr::cli::tui::runTerminalDialog;
#endif
    std::ios::sync_with_stdio(false);
    mr::cli::FdOutput stdoutBuffer(1);
    std::ostream out(&stdoutBuffer);
    return mr::cli::runMultirename(std::move(args), std::cin, out, std::cerr, env);
}
