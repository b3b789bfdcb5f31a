#include "cli/run.h"

#include "cli/cli_view.h"
#include "cli/host_paths.h"
#include "cli/human_view.h"
#include "cli/options.h"
#include "cli/platform_mover.h"
#include "cli/records_input.h"
#include "cli/state_json.h"
#include "platform/common/utf8.h"
#include "rename/records.h"
#include "settings/registry.h"
#include "settings/settings_store.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>

namespace mr::cli {
namespace {

namespace fs = std::filesystem;

const char16_t* const kProductName = u"Sorrelcast";

bool readInput(const std::string& name, std::istream& in, std::string& content,
               std::string& error) {
    if (name == "-") {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    std::ifstream file(nativePath(name), std::ios::binary);
    if (!file) {
        error = "cannot read " + name + ": " + std::strerror(errno);
        return false;
    }
    // One read of the whole file where its size is known; a records file can be large.
    std::error_code ec;
    const auto size = fs::file_size(nativePath(name), ec);
    if (!ec && size > 0) {
        content.resize(static_cast<size_t>(size));
        file.read(content.data(), static_cast<std::streamsize>(size));
        content.resize(static_cast<size_t>(file.gcount()));
    }
    // Whatever is left (or all of it, for a pipe or a special file).
    content.append(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "cannot read " + name;
        return false;
    }
    return true;
}

std::string utf8(std::u16string_view text) {
    return toUtf8(text);
}

// Runs the dialog's events over the model, as the dialog would receive them.
class Session {
public:
    Session(ChangeTextModel& model, CliView& view, const Registry& settings, bool json)
        : model_(model), view_(view), settings_(settings), json_(json) {}

    // An empty text, or why the dialog could not receive the action.
    std::string run(const Action& a);

    RecordingMover mover;
    const char* closed = nullptr;
    bool refused = false;
    std::vector<std::string> snapshots;
    HumanStyle style;

private:
    std::string check(const Action& a);
    std::string fieldIndex(const Action& a);
    std::string changeNumber(const Action& a, PatternToken& token);
    std::string changeWild(const Action& a, PatternToken& token);

    ChangeTextModel& model_;
    CliView& view_;
    const Registry& settings_;
    bool json_;
};

const char* boxName(CheckBox box) {
    return box == CheckBox::AllowExtensionChanges ? "\"Allow Extension Changes\""
                                                  : "\"Treat Numbers as Text\"";
}

std::string Session::check(const Action& a) {
    if (model_.boxChecked(a.box) == a.checked)
        return {};
    if (!model_.boxEnabled(a.box))
        return std::string("the check box ") + boxName(a.box) + " is disabled" +
               (model_.editingEnabled ? " for these names" : " while every file has a pasted name");
    model_.clickCheckBox(a.box);
    return {};
}

// Checks that the action's field exists and can be edited now.
std::string Session::fieldIndex(const Action& a) {
    const size_t count = model_.fields().size();
    if (a.field >= count)
        return "there is no field " + std::to_string(a.field) + ": the pattern has " +
               (count == 0 ? std::string("no fields")
                           : std::to_string(count) + " (0 to " + std::to_string(count - 1) + ")");
    if (!model_.editingEnabled)
        return "the fields are disabled while every file has a pasted name (reset the names "
               "first)";
    return {};
}

std::string Session::changeNumber(const Action& a, PatternToken& token) {
    using C = ChangeNumberModel::Control;
    ChangeNumberModel dlg(token, settings_);
    // The controls are set in the dialog's order; setting one to what it shows is no event.
    if (a.number && *a.number != dlg.number)
        dlg.number = *a.number;
    if (a.start && *a.start != dlg.startText) {
        if (!dlg.isEnabled(C::Start))
            return "the start edit is disabled unless \"Renumber starting from:\" is selected";
        dlg.startText = *a.start;
    }
    if (a.zeros && *a.zeros != dlg.zeros) {
        const C radio = *a.zeros == ChangeNumberModel::Zeros::Remove ? C::Remove
                        : *a.zeros == ChangeNumberModel::Zeros::Make ? C::Make
                                                                     : C::ZerosNoChange;
        if (!dlg.isEnabled(radio))
            return "the Leading Zeros radio buttons are disabled while \"Clear Text\" is "
                   "selected";
        dlg.zeros = *a.zeros;
    }
    if (a.digits && *a.digits != dlg.digitsText) {
        if (!dlg.isEnabled(C::Digits))
            return "the digits edit is disabled unless \"Make number with\" is selected";
        dlg.digitsText = *a.digits;
    }
    dlg.apply(token, settings_);
    model_.fieldChanged();
    return {};
}

std::string Session::changeWild(const Action& a, PatternToken& token) {
    using C = ChangeWildModel::Control;
    ChangeWildModel dlg(token);
    if (a.truncate && *a.truncate != dlg.truncate)
        dlg.setTruncate(*a.truncate);
    if (a.length && *a.length != dlg.lengthText) {
        if (!dlg.isEnabled(C::Length))
            return "the length edit is disabled unless Truncate is checked";
        dlg.setLengthText(*a.length);
    }
    if (a.caseMode && *a.caseMode != dlg.caseMode)
        dlg.setCase(*a.caseMode);
    dlg.apply(token);
    model_.fieldChanged();
    return {};
}

std::string Session::run(const Action& a) {
    if (closed)
        return std::string("the dialog has already closed with ") +
               (std::string(closed) == "ok" ? "\"Rename\"" : "Cancel");
    switch (a.kind) {
    case ActionKind::Check:
        return check(a);
    case ActionKind::SetText: {
        if (auto e = fieldIndex(a); !e.empty())
            return e;
        if (model_.fields()[a.field].isButton)
            return "field " + std::to_string(a.field) + " is a \"" +
                   utf8(model_.fields()[a.field].text) +
                   "\" field, not a text: use Change Number or Change Wild";
        model_.setFieldText(a.field, a.text);
        return {};
    }
    case ActionKind::ChangeNumber:
    case ActionKind::ChangeWild: {
        if (auto e = fieldIndex(a); !e.empty())
            return e;
        PatternToken* token = model_.fieldToken(a.field);
        const bool number = a.kind == ActionKind::ChangeNumber;
        const TokenKind want = number ? TokenKind::Number : TokenKind::Wildcard;
        if (!token || token->kind != want)
            return "field " + std::to_string(a.field) + " is " +
                   (token ? std::string(token->kind == TokenKind::Number ? "a number field"
                                                                         : "a wildcard field")
                          : "a text field") +
                   ", not a " + (number ? "number (#)" : "wildcard (*)") + " field";
        return number ? changeNumber(a, *token) : changeWild(a, *token);
    }
    case ActionKind::Select: {
        std::vector<size_t> rows;
        for (uint64_t r : a.rows) {
            if (r >= model_.rows().size())
                return "there is no row " + std::to_string(r) + ": the list has " +
                       std::to_string(model_.rows().size()) + " rows";
            rows.push_back(static_cast<size_t>(r));
        }
        model_.selectOnly(rows);
        return {};
    }
    case ActionKind::SelectAll:
        model_.selectAll();
        return {};
    case ActionKind::InvertSelection:
        model_.invertSelection();
        return {};
    case ActionKind::CopyNames:
        model_.copyNames(a.selectedOnly);
        return {};
    case ActionKind::PasteNames:
        if (a.clipboard)
            view_.putClipboardText(*a.clipboard);
        model_.pasteNames(a.selectedOnly);
        return {};
    case ActionKind::ResetNames:
        model_.resetNames();
        return {};
    case ActionKind::RemoveFiles:
        model_.removeFiles();
        return {};
    case ActionKind::Reset:
        model_.resetAll();
        return {};
    case ActionKind::Rename: {
        const RenameOutcome outcome = model_.rename(mover, nullptr);
        refused = outcome == RenameOutcome::Refused;
        if (!refused)
            closed = "ok";
        return {};
    }
    case ActionKind::Cancel:
        closed = "cancel";
        return {};
    case ActionKind::Snapshot:
        snapshots.push_back(json_ ? stateText(model_, 2) : humanState(model_, style));
        return {};
    }
    return {};
}

// Message boxes as a person at a terminal sees them.
void printMessage(std::ostream& out, std::ostream& err, const ShownMessage& m, bool json) {
    std::u16string text;
    for (char16_t c : m.text)
        if (c != u'\r')
            text += c;
    if (m.icon == MessageIcon::Exclamation)
        err << utf8(text) << '\n';
    else if (!json)
        out << utf8(text) << '\n';
}

} // namespace

int runMultirename(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const RunEnvironment& env) {
    auto parsed = parseCommandLine(args, out, err);
    if (auto* code = std::get_if<int>(&parsed))
        return *code;
    Invocation& inv = std::get<Invocation>(parsed);
    auto fail = [&](const std::string& message) {
        err << "multirename: " << message << '\n';
        return 1;
    };
    if (inv.undo)
        return undoRenames(inv.journal, out, err);

    // The simple options come first; --paste and the script follow.
    const size_t optionEdits = inv.actions.size();
    std::vector<Action> actions = std::move(inv.actions);
    std::string error;
    if (inv.pasteFile) {
        std::string text;
        if (!readInput(*inv.pasteFile, in, text, error))
            return fail("--paste: " + error);
        Action& a = actions.emplace_back();
        a.kind = ActionKind::PasteNames;
        a.label = "--paste " + *inv.pasteFile;
        a.clipboard = fromUtf8(text);
    }
    if (inv.scriptFile) {
        std::string text;
        if (!readInput(*inv.scriptFile, in, text, error))
            return fail("--script: " + error);
        auto script = readScript(text, error);
        if (!script)
            return fail("--script " + *inv.scriptFile + ": " + error);
        for (auto& a : *script)
            actions.push_back(std::move(a));
    }

    // The record set, from the records file or from the file system.
    std::optional<RecordsInput> records;
    std::optional<RecordsFileSystem> recordsFs;
    if (inv.recordsFile) {
        std::string text;
        if (!readInput(*inv.recordsFile, in, text, error))
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
    if (records)
        fillRecordSet(set, records->paths, *recordsFs);
    else if (!fillFromArguments(set, inv.paths, platformFileSystem(), error))
        return fail(error);

    // A new process starts with both check boxes unchecked.
    ChangeTextModel::rememberedAllowExtensionChanges = false;
    ChangeTextModel::rememberedNumbersAsText = false;
    ChangeTextModel model(kProductName, set);
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
    if (inv.apply || inv.json) {
        Action& a = actions.emplace_back();
        a.kind = ActionKind::Rename;
        a.label = "the final \"Rename\"";
    }
    size_t i = 0;
    for (; i < optionEdits; ++i)
        if (auto e = session.run(actions[i]); !e.empty())
            return fail(actions[i].label + ": " + e);
    model.endEdits();
    for (; i < actions.size(); ++i) {
        // The final "Rename" happens only while the dialog is still open.
        if (i + 1 == actions.size() && (inv.apply || inv.json) && session.closed)
            break;
        if (auto e = session.run(actions[i]); !e.empty())
            return fail(actions[i].label + ": " + e);
    }

    // Everything was accepted: only now does anything on disk change.
    MoveResult moved;
    if (inv.apply && !records && session.mover.called)
        moved = moveForReal(session.mover.files, err, env.progress);
    const std::vector<MoveFailure>& failures = moved.failures;

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
        out << humanState(model, session.style);
        HumanOutcome outcome;
        outcome.closed = session.closed;
        outcome.refused = session.refused;
        outcome.renamed = session.mover.called ? session.mover.files.size() : 0;
        outcome.dryRun = !inv.apply || records.has_value();
        outcome.failed = failures.size();
        outcome.journal = moved.journal;
        out << humanOutcome(outcome, session.style);
    }
    for (const auto& f : failures)
        err << "multirename: could not rename " << utf8(f.pair.from) << " to " << utf8(f.pair.to)
            << ": " << f.reason << '\n';

    if (!failures.empty())
        return 3;
    if (!session.closed && session.refused)
        return 2;
    return 0;
}

} // namespace mr::cli
