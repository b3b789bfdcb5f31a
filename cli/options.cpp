#include "cli/options.h"

#include "cli/messages.h"
#include "text/utf8.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <charconv>
#include <iterator>
#include <map>

#ifndef MR_VERSION
#define MR_VERSION "0.0.0"
#endif

namespace mr::cli {
namespace {

const char* const kExamples = R"(Examples:
  multirename ~/Pictures/IMG_*.JPG
      show the derived pattern, its numbered fields and every new name
  multirename -t 0=Rome_ --number 1=renumber:1,digits:3 ~/Pictures/IMG_*.JPG
      type "Rome_" into field 0, renumber field 1 from 1 with 3 digits (a dry run)
  multirename --apply -t 0=Rome_ ~/Pictures/IMG_*.JPG
      the same, and rename for real
  multirename --wild 0=lower -e *.TXT
      allow extension changes, lower-case the wildcard field 0
  ls | sed 's/ /_/g' > names.txt; multirename --paste names.txt *
      name the files from the lines of a text file
  find . -name 'IMG_*' -print0 | multirename -0 --from - -t 0=Rome_ --apply
      rename any number of files named on standard input, in one run
  multirename --json --script edits.json --records set.json
      run dialog events from a script over recorded folders; print JSON
)"
#ifndef _WIN32
                              R"(  multirename --edit --apply ~/Pictures/IMG_*.JPG
      edit the new names in your editor, one per line, and rename
  multirename -i ~/Pictures/IMG_*.JPG
      the Multi Rename dialog in the terminal: type, see every new name, F10
  multirename --undo
      put back the names of the last --apply run
  multirename --undo --list
      show the runs that can be put back, with their numbers
)"
#endif
                              R"(
Paths:
  PATH... (or the list of --from) names the files and folders to rename, as a
  file manager's selection does. Each one that cannot be used (missing, in a
  folder that cannot be listed, a path too long) is named on standard error, and
  nothing is renamed.

Fields are numbered from 0 in the order the pattern shows them. Without --apply
nothing on disk changes.
)"
#ifndef _WIN32
                              R"(
Undo:
  Before it renames anything, --apply writes a journal of the run to
  $XDG_STATE_HOME/multirename (else ~/.local/state/multirename); the runs are
  numbered in the order they were made, whatever the clock says. --undo puts back
  the names of the newest run that is not undone yet and that renamed something.
  A file that stands under its new name but is not the file renamed (saved again
  by an editor) is put back by its name, with a notice. --undo --list shows every
  run: its number, when, how many names, its state and where; --undo N puts back
  run N, --undo FILE the run of that journal file.
)"
#endif
#ifndef _WIN32
                              R"(
Editing in an editor:
  With --edit the new names are written, one per line in the list's order (what
  "Copy Names" copies, after every other option), to a private temporary file,
  and $VISUAL, else $EDITOR, else vi opens it; the command may hold arguments
  (EDITOR="code -w"). When the editor exits with status 0, the lines go through
  "Paste Names" with the dialog's rules (blank lines left out, ends trimmed, one
  line per file, no \ / : * ? " < > |, each file keeps its extension unless -e):
  the table follows, and with --apply the rename. A paste the dialog refuses
  (exit 1) or a file left as it was (exit 0) renames nothing; an editor that
  exits with another status cancels (exit 1). The file is removed afterwards.

The dialog in the terminal:
  With -i the Multi Rename dialog opens in the terminal, after the other options,
  with the first text field's text selected. Tab and Shift+Tab move between the
  controls; typing edits a text field (Ctrl+U empties it), and every key shows
  the new names at once; Space ticks a check box or selects a row; Enter on a #
  or * field opens Change Number or Change Wild; F2 or Shift+F10 opens the row
  menu; F10 or Alt+R is "Rename" (it renames at once and says what it did); Esc
  or F9 cancels; ? or F1 shows every key. "Copy Names" keeps the names for
  "Paste Names" and hands them to the terminal's clipboard (OSC 52); "Paste
  Names" opens a box to paste the names into. Colours follow NO_COLOR.
)"
#else
                              R"(
Not in this build:
  --edit (names in an editor) and -i (the dialog in a terminal) are in the
  Linux build only; on Windows the Multi Rename dialog itself is the module.
)"
#endif
                              R"(
Names on a terminal:
  Control characters, the bidirectional formatting characters and bytes that are
  not UTF-8 are shown as escapes (\u001B, \u202E, \xFF); on a terminal the table
  of names fits its width, long names cut in the middle with an ellipsis.

Exit status:
  0  renamed, nothing needed renaming, or a dry run
  1  bad usage, an input that cannot be read, a named path that cannot be used,
     a paste the dialog refused, an action after the dialog closed, or output
     that cannot be written: the message says which, and nothing is renamed
     when it comes before the renames)"
#ifndef _WIN32
                              R"( (--undo: no run to put back, or its
     journal cannot be read))"
#endif
                              R"(
  2  "Rename" refused because of problems with the new names
  3  files that could not be renamed)"
#ifndef _WIN32
                              R"( (or put back), or a journal that could not
     be written (nothing is renamed then))"
#endif
                              R"(
)";

// "I=VALUE" into the field index and the value.
bool splitFieldValue(const std::string& option, const std::string& given, Action& action,
                     std::string& value, std::string& error) {
    const size_t eq = given.find('=');
    const std::string index = given.substr(0, eq);
    if (eq == std::string::npos || index.empty() ||
        index.find_first_not_of("0123456789") != std::string::npos) {
        error = option + " " + given + ": expected FIELD=VALUE with FIELD a field number";
        return false;
    }
    if (index.size() > 9) {
        error = option + " " + given + ": the field number " + index + " is too large";
        return false;
    }
    action.field = std::stoull(index);
    action.label = option + " " + given;
    value = given.substr(eq + 1);
    return true;
}

// Where the trailing paths start: after the last option, the arguments that cannot be
// an option's value. One argument that may be a value and one path stay with the
// parser, so that every rule about paths still sees them; the rest are paths for sure
// (an option takes one value at most) and need no parsing, which matters at 100,000.
size_t plainPathsFrom(const std::vector<std::string>& args) {
    auto plain = [](const std::string& a) { return !a.empty() && a.front() != '-'; };
    size_t from = args.size();
    while (from > 0 && plain(args[from - 1]))
        --from;
    if (std::any_of(args.begin(), args.begin() + static_cast<std::ptrdiff_t>(from),
                    [](const std::string& a) { return a == "--"; }))
        return args.size();
    return std::min(from + 2, args.size());
}

} // namespace

std::variant<Invocation, int> parseCommandLine(std::vector<std::string> args, std::ostream& out,
                                               std::ostream& err) {
    Invocation inv;
    CLI::App app("Derive one name pattern from many file names, edit it field by field, "
                 "preview every new name, and rename.",
                 "multirename");
    app.allow_windows_style_options(false);
    app.footer(kExamples);
    app.set_version_flag("--version", std::string("multirename ") + MR_VERSION);

    bool allowExt = false, numbersAsText = false;
    std::vector<std::string> texts, numbers, wilds;
    app.add_flag("-e,--allow-extension-changes", allowExt,
                 "check \"Allow Extension Changes\": the extension becomes part of the pattern");
    app.add_flag("-n,--numbers-as-text", numbersAsText,
                 "check \"Treat Numbers as Text\": digits are text, not number fields");
    auto* textOpt = app.add_option("-t,--text", texts, "type TEXT into the text field I")
                        ->type_name("I=TEXT")
                        ->expected(1)
                        ->allow_extra_args(false)
                        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    auto* numberOpt = app.add_option("--number", numbers,
                                     "Change Number on field I; WORDS: comma-separated clear, "
                                     "renumber[:START], zeros:remove, zeros:keep, digits:N")
                          ->type_name("I=WORDS")
                          ->expected(1)
                          ->allow_extra_args(false)
                          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    auto* wildOpt = app.add_option("--wild", wilds,
                                   "Change Wild on field I; WORDS: comma-separated "
                                   "truncate:N, upper, lower, keepcase")
                        ->type_name("I=WORDS")
                        ->expected(1)
                        ->allow_extra_args(false)
                        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--paste", inv.pasteFile,
                   "Paste Names from the lines of FILE (-: standard input) onto all files")
        ->type_name("FILE");
    app.add_option("--script", inv.scriptFile,
                   "run the dialog events of FILE (-: standard input), a JSON array")
        ->type_name("FILE");
    auto* recordsOpt =
        app.add_option("--records", inv.recordsFile,
                       "take the folders and the paths from FILE instead of the file system")
            ->type_name("FILE");
    auto* fromOpt = app.add_option("--from", inv.fromFile,
                                   "take the paths from FILE (-: standard input), one per line; "
                                   "with -0 NUL-separated")
                        ->type_name("FILE");
    app.add_flag("-0,--null", inv.nulSeparated, "the --from list is separated by NUL bytes")
        ->needs(fromOpt);
    [[maybe_unused]] auto* applyOpt =
        app.add_flag("--apply", inv.apply, "end with \"Rename\" and really rename");
    [[maybe_unused]] auto* jsonOpt =
        app.add_flag("--json", inv.json, "print one JSON document instead of the table");
#ifndef _WIN32
    auto* editOpt = app.add_flag("--edit", inv.edit,
                                 "edit the new names in $VISUAL or $EDITOR (else vi), one per "
                                 "line, then Paste Names");
    app.add_flag("-i,--interactive", inv.interactive,
                 "the Multi Rename dialog in the terminal; its Rename renames at once")
        ->excludes(editOpt)
        ->excludes(jsonOpt)
        ->excludes(applyOpt);
#endif
    CLI::Option* undoOpt = nullptr;
    CLI::Option* listOpt = nullptr;
#ifndef _WIN32
    std::vector<std::string> journal;
    undoOpt = app.add_option("--undo", journal,
                             "put back the names of the last --apply run, of run N, or of "
                             "the journal FILE")
                  ->type_name("[N|FILE]")
                  ->expected(0, 1)
                  ->allow_extra_args(false);
    listOpt = app.add_flag("--list", inv.undoRequest.list,
                           "with --undo: show the runs that can be put back");
#endif
    auto* pathsOpt = app.add_option("PATH", inv.paths, "the files (and folders) to rename");
    recordsOpt->excludes(pathsOpt);
    fromOpt->excludes(pathsOpt);
    fromOpt->excludes(recordsOpt);

    const size_t parsed = plainPathsFrom(args);
    try {
        app.parse(std::vector<std::string>(
            args.rbegin() + static_cast<std::ptrdiff_t>(args.size() - parsed), args.rend()));
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
            app.exit(e, out, err); // --help, --version
            return 0;
        }
        sayError(err, e.what());
        err << "Run with --help for more information.\n";
        return 1;
    }

    // Moved, not copied: at 100,000 paths a second copy is a large share of the run's memory.
    inv.paths.insert(inv.paths.end(),
                     std::make_move_iterator(args.begin() + static_cast<std::ptrdiff_t>(parsed)),
                     std::make_move_iterator(args.end()));

    auto usage = [&](const std::string& message) -> std::variant<Invocation, int> {
        sayError(err, message);
        err << "Run with --help for more information.\n";
        return 1;
    };
    const bool undo = undoOpt && undoOpt->count() > 0;
    if (listOpt && listOpt->count() > 0 && !undo)
        return usage("--list goes with --undo: multirename --undo --list");
    if (undo) {
        if (app.get_options([&](const CLI::Option* o) {
                   return o->count() > 0 && o != undoOpt && o != listOpt;
               })
                .size() > 0)
            return usage("--undo takes no other option than --list");
        inv.undo = true;
#ifndef _WIN32
        // A bare --undo may still leave an empty value behind.
        if (!journal.empty() && !journal.front().empty()) {
            const std::string& given = journal.front();
            if (given.find_first_not_of("0123456789") != std::string::npos) {
                inv.undoRequest.journal = given;
            } else {
                uint64_t run = 0;
                const auto [end, ec] =
                    std::from_chars(given.data(), given.data() + given.size(), run);
                if (ec != std::errc() || end != given.data() + given.size())
                    return usage("--undo " + given + ": the run number is too large");
                inv.undoRequest.run = run;
            }
            if (inv.undoRequest.list)
                return usage("--undo --list takes no run");
        }
#endif
        return inv;
    }
    if (inv.paths.empty() && !inv.recordsFile && !inv.fromFile)
        return usage("name the files to rename (PATH... or --from FILE) or give --records FILE");
    if ((inv.pasteFile == "-") + (inv.scriptFile == "-") + (inv.recordsFile == "-") +
            (inv.fromFile == "-") >
        1)
        return usage("only one of --paste, --script, --records and --from can read standard "
                     "input");

    auto check = [&](CheckBox box, const char* label) {
        Action& a = inv.actions.emplace_back();
        a.kind = ActionKind::Check;
        a.box = box;
        a.checked = true;
        a.label = label;
    };
    if (allowExt)
        check(CheckBox::AllowExtensionChanges, "--allow-extension-changes");
    if (numbersAsText)
        check(CheckBox::NumbersAsText, "--numbers-as-text");

    std::map<const CLI::Option*, size_t> used;
    for (const CLI::Option* opt : app.parse_order()) {
        if (opt != textOpt && opt != numberOpt && opt != wildOpt)
            continue;
        const size_t n = used[opt]++;
        const std::vector<std::string>& values = opt == textOpt     ? texts
                                                 : opt == numberOpt ? numbers
                                                                    : wilds;
        if (n >= values.size())
            continue;
        const std::string name = opt == textOpt     ? "--text"
                                 : opt == numberOpt ? "--number"
                                                    : "--wild";
        Action a;
        std::string value, error;
        if (!splitFieldValue(name, values[n], a, value, error))
            return usage(error);
        if (opt == textOpt) {
            a.kind = ActionKind::SetText;
            a.text = fromUtf8(value);
        } else if (opt == numberOpt) {
            a.kind = ActionKind::ChangeNumber;
            if (!parseNumberSpec(value, a, error))
                return usage(a.label + ": " + error);
        } else {
            a.kind = ActionKind::ChangeWild;
            if (!parseWildSpec(value, a, error))
                return usage(a.label + ": " + error);
        }
        inv.actions.push_back(std::move(a));
    }
    return inv;
}

} // namespace mr::cli
