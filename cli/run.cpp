#include "cli/run.h"

#include "cli/cli_view.h"
#include "cli/host_paths.h"
#include "cli/human_view.h"
#include "cli/inputs.h"
#include "cli/messages.h"
#include "cli/names_editor.h"
#include "cli/options.h"
#include "cli/platform_mover.h"
#include "cli/records_input.h"
#include "cli/session.h"
#include "cli/state_json.h"
#include "rename/messages.h"
#include "rename/records.h"
#include "rename/validation.h"
#include "seams/settings_store.h"
#include "settings/registry.h"
#include "text/utf8.h"

#include <istream>
#include <optional>
#include <ostream>
#include <utility>

namespace mr::cli {
namespace {

// Message boxes as a person at a terminal sees them.
void printMessage(std::ostream& out, std::ostream& err, const ShownMessage& m, bool json) {
    std::u16string text;
    for (char16_t c : m.text)
        if (c != u'\r')
            text += c;
    if (m.icon == MessageIcon::Exclamation)
        sayLines(err, toUtf8(text));
    else if (!json)
        sayLines(out, toUtf8(text));
}

// The actions of the options, --paste and --script, in that order; false (with the
// message said) when an input cannot be read.
bool readActions(Invocation& inv, std::istream& in, size_t limit, std::ostream& err,
                 std::vector<Action>& actions) {
    actions = std::move(inv.actions);
    std::string text, error;
    if (inv.pasteFile) {
        if (!readInput(*inv.pasteFile, in, limit, text, error)) {
            sayError(err, "--paste: " + error);
            return false;
        }
        Action& a = actions.emplace_back();
        a.kind = ActionKind::PasteNames;
        a.label = "--paste " + *inv.pasteFile;
        a.clipboard = fromUtf8(text);
    }
    if (inv.scriptFile) {
        if (!readInput(*inv.scriptFile, in, limit, text, error)) {
            sayError(err, "--script: " + error);
            return false;
        }
        auto script = readScript(text, error);
        if (!script) {
            sayError(err, "--script " + *inv.scriptFile + ": " + error);
            return false;
        }
        for (auto& a : *script)
            actions.push_back(std::move(a));
    }
    if (inv.edit) {
        Action& a = actions.emplace_back();
        a.kind = ActionKind::EditNames;
        a.label = "--edit";
    }
    return true;
}

// The paths of the run: the arguments, or the list of --from.
bool readPaths(Invocation& inv, std::istream& in, size_t limit, std::ostream& err) {
    if (!inv.fromFile)
        return true;
    std::string text, error;
    if (!readInput(*inv.fromFile, in, limit, text, error)) {
        sayError(err, "--from: " + error);
        return false;
    }
    inv.paths = splitPathList(text, inv.nulSeparated);
    if (inv.paths.empty()) {
        sayError(err, "--from " + *inv.fromFile + ": it names no paths");
        return false;
    }
    return true;
}

// One run; `reported` is set when it has already said that output was lost.
int run(std::vector<std::string> args, std::istream& in, std::ostream& out, std::ostream& err,
        const RunEnvironment& env, bool& reported) {
    auto parsed = parseCommandLine(std::move(args), out, err);
    if (auto* code = std::get_if<int>(&parsed))
        return *code;
    Invocation& inv = std::get<Invocation>(parsed);
    auto fail = [&](const std::string& message) {
        sayError(err, message);
        return 1;
    };
    if (inv.undo)
        return runUndo(inv.undoRequest, out, err);

    // The simple options come first; --paste and the script follow.
    const size_t optionEdits = inv.actions.size();
    std::vector<Action> actions;
    if (!readActions(inv, in, env.inputLimit, err, actions) ||
        !readPaths(inv, in, env.inputLimit, err))
        return 1;

    // The record set, from the records file or from the file system.
    std::optional<RecordsInput> records;
    std::optional<RecordsFileSystem> recordsFs;
    if (inv.recordsFile) {
        std::string text, error;
        if (!readInput(*inv.recordsFile, in, env.inputLimit, text, error))
            return fail("--records: " + error);
        records = readRecords(text, error);
        if (!records)
            return fail("--records " + *inv.recordsFile + ": " + error);
#ifdef _WIN32
        if (records->posixRules)
            return fail("--records " + *inv.recordsFile +
                        ": the Windows build renames by \"windows\" rules only");
#endif
        recordsFs.emplace(*records);
    }
#ifdef _WIN32
    const NameRules platformRules = NameRules::windows();
#else
    const NameRules platformRules = NameRules::posix();
#endif
    RecordSet set(records ? records->rules : platformRules);
    if (records) {
        fillRecordSet(set, records->paths, *recordsFs);
    } else {
        const auto unusable = fillFromArguments(set, inv.paths, platformFileSystem());
        for (const UnusablePath& u : unusable)
            sayError(err, u.missing ? "cannot find " + u.path + (u.problem.empty() ? "" : ": ") +
                                          u.problem
                                    : "cannot use " + u.path + ": " + u.problem);
        if (!unusable.empty())
            return fail(std::to_string(unusable.size()) + " of the " +
                        std::to_string(inv.paths.size()) +
                        " named paths cannot be used; nothing was renamed");
        // The records hold what the paths named: their room goes to the names to come.
        std::vector<std::string>().swap(inv.paths);
    }

    // Each run is a new process to the dialog: both check boxes start unchecked.
    CheckBoxMemory remembered;
    ChangeTextModel model(kProductName, set, remembered);
    CliView view;
    view.onMessage = [&](const ShownMessage& m) { printMessage(out, err, m, inv.json); };
    // Nothing observes the names from the opening to the last option edit: one refresh
    // after them stands for all of theirs.
    model.beginEdits();
    model.initialise(&view);
    const Registry settings = env.settings ? Registry(kProductName, *env.settings)
                                           : Registry(kProductName, platformSettingsStore());

    Session session(model, view, settings, inv.json);
    session.style.colour = env.colour && !inv.json;
    session.style.columns = env.columns;
    session.editor = [&](std::u16string_view names) {
        return editNamesInEditor(names, env.terminal, env.inputLimit);
    };
    if (inv.apply || inv.json) {
        Action& a = actions.emplace_back();
        a.kind = ActionKind::Rename;
        a.label = "the final \"Rename\"";
    }
    for (size_t i = 0; i < actions.size(); ++i) {
        if (i == optionEdits)
            model.endEdits();
        // The final "Rename" happens only while the dialog is still open.
        if (i + 1 == actions.size() && (inv.apply || inv.json) && session.closed)
            break;
        if (auto e = session.run(actions[i]); !e.empty())
            return fail(actions[i].label + ": " + e);
        if (session.pasteRefused)
            return fail(actions[i].label + ": the paste was refused; nothing was renamed");
    }
    if (optionEdits >= actions.size())
        model.endEdits();
    if (session.editUnchanged)
        sayError(err, "--edit: the names were left as they were; nothing was renamed");
    if (inv.interactive && !session.closed) {
        if (!env.interactive)
            return fail("--interactive: there is no dialog in the terminal in this build");
        if (outputFailure(out, err)) {
            reported = true;
            return 1;
        }
        InteractiveRun dialog{model, session, view, settings, env.terminal};
        if (auto problem = env.interactive(dialog))
            return fail("--interactive: " + *problem);
    }

    // What the run shows is written before anything moves: output that cannot be
    // written stops the run while nothing has changed.
    if (inv.json) {
        Document doc;
        doc.snapshots = std::move(session.snapshots);
        doc.messages = &view.messages;
        doc.clipboard = view.clipboard;
        doc.closed = session.closed;
        if (session.mover.called)
            doc.renames = session.mover.pairs();
        writeDocument(out, doc, model);
    } else {
        for (const auto& s : session.snapshots)
            out << s << '\n';
        // The terminal dialog has shown every name.
        if (!inv.interactive)
            writeHumanState(out, model, session.style);
    }
    const bool moves = (inv.apply || inv.interactive) && !records && session.mover.called;
    if (outputFailure(out, err)) {
        reported = true;
        return fail(moves ? "nothing was renamed" : "the output is incomplete");
    }

    MoveResult moved;
    if (moves)
        moved = moveForReal(session.mover.files, err, env.progress);
    if (moved.journalError) {
        sayError(err, *moved.journalError + "; nothing was renamed");
        return 3;
    }
    const std::vector<MoveFailure>& failures = moved.failures;
    if (!inv.json) {
        HumanOutcome outcome;
        outcome.closed = session.closed;
        outcome.refused = session.refused;
        outcome.renamed = session.mover.called ? session.mover.files.size() : 0;
        outcome.dryRun = !(inv.apply || inv.interactive) || records.has_value();
        outcome.records = records.has_value();
        for (uint32_t count : countProblems(model.records()))
            outcome.problems |= count > 0;
        outcome.failed = failures.size();
        outcome.journal = moved.journal;
        out << humanOutcome(outcome, session.style);
        // Its "nothing to rename" box has closed with the dialog.
        if (inv.interactive && session.closed && std::string_view(session.closed) == "ok" &&
            !session.mover.called)
            sayLines(out, toUtf8(moduleString(IDS_NO_CHANGES)));
    }
    for (const auto& f : failures)
        sayError(err, "could not rename " + toUtf8(f.pair.from) + " to " + toUtf8(f.pair.to) +
                          ": " + f.reason);

    if (!failures.empty())
        return 3;
    if (!session.closed && session.refused)
        return 2;
    return 0;
}

} // namespace

int runMultirename(std::vector<std::string> args, std::istream& in, std::ostream& out,
                   std::ostream& err, const RunEnvironment& env) {
    bool reported = false;
    const int status = run(std::move(args), in, out, err, env, reported);
    // Every write is checked: a status that reports success must not hide lost output.
    if (!reported && outputFailure(out, err))
        return status == 3 ? 3 : 1;
    return status;
}

} // namespace mr::cli
