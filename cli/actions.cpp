#include "cli/actions.h"

#include "cli/json_text.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace mr::cli {
namespace {

using nlohmann::json;

template <class E>
using Names = std::initializer_list<std::pair<const char*, E>>;

const Names<ActionKind> kActions = {
    {"check", ActionKind::Check},
    {"setText", ActionKind::SetText},
    {"changeNumber", ActionKind::ChangeNumber},
    {"changeWild", ActionKind::ChangeWild},
    {"select", ActionKind::Select},
    {"selectAll", ActionKind::SelectAll},
    {"invertSelection", ActionKind::InvertSelection},
    {"copyNames", ActionKind::CopyNames},
    {"pasteNames", ActionKind::PasteNames},
    {"resetNames", ActionKind::ResetNames},
    {"removeFiles", ActionKind::RemoveFiles},
    {"reset", ActionKind::Reset},
    {"rename", ActionKind::Rename},
    {"cancel", ActionKind::Cancel},
    {"snapshot", ActionKind::Snapshot},
};
const Names<CheckBox> kBoxes = {
    {"allowExtensionChanges", CheckBox::AllowExtensionChanges},
    {"numbersAsText", CheckBox::NumbersAsText},
};
const Names<ChangeNumberModel::Number> kNumberRadios = {
    {"noChange", ChangeNumberModel::Number::NoChange},
    {"clear", ChangeNumberModel::Number::ClearText},
    {"renumber", ChangeNumberModel::Number::Renumber},
};
const Names<ChangeNumberModel::Zeros> kZerosRadios = {
    {"noChange", ChangeNumberModel::Zeros::NoChange},
    {"remove", ChangeNumberModel::Zeros::Remove},
    {"make", ChangeNumberModel::Zeros::Make},
};
const Names<CaseMode> kCaseRadios = {
    {"noChange", CaseMode::NoChange},
    {"upper", CaseMode::Upper},
    {"lower", CaseMode::Lower},
};

template <class E>
std::string choices(Names<E> names) {
    std::string out;
    for (const auto& [name, value] : names)
        out += (out.empty() ? "" : ", ") + std::string("\"") + name + "\"";
    return out;
}

// Reads the members of one action object; every member must be known to its action.
class MemberReader {
public:
    MemberReader(const json& object, std::string label, std::string& error)
        : object_(object), label_(std::move(label)), error_(error) {}

    bool fail(const std::string& what) {
        error_ = label_ + ": " + what;
        return false;
    }

    // False (with the message) when a member is not among the allowed names.
    bool onlyMembers(std::initializer_list<const char*> allowed) {
        for (const auto& member : object_.items()) {
            const std::string& name = member.key();
            if (name == "do")
                continue;
            if (std::none_of(allowed.begin(), allowed.end(),
                             [&](const char* a) { return name == a; }))
                return fail("unknown member \"" + name + "\"" +
                            (allowed.size() ? "" : " (this action takes none)"));
        }
        return true;
    }

    const json* find(const char* name, bool required) {
        auto it = object_.find(name);
        if (it == object_.end()) {
            if (required)
                fail(std::string("\"") + name + "\" is missing");
            return nullptr;
        }
        return &*it;
    }

    // Each getter: true when the member is absent and optional, or present and valid.
    bool boolean(const char* name, std::optional<bool>& out, bool required) {
        const json* v = find(name, required);
        if (!v)
            return !required;
        if (!v->is_boolean())
            return fail(std::string("\"") + name + "\" must be true or false");
        out = v->get<bool>();
        return true;
    }

    bool index(const char* name, uint64_t& out) {
        const json* v = find(name, true);
        if (!v)
            return false;
        if (const std::string problem = wholeNumberProblem(*v); !problem.empty())
            return fail(std::string("\"") + name + "\" " + problem);
        out = v->get<uint64_t>();
        return true;
    }

    bool text(const char* name, std::optional<std::u16string>& out, bool required) {
        const json* v = find(name, required);
        if (!v)
            return !required;
        if (!v->is_string())
            return fail(std::string("\"") + name + "\" must be a string");
        out = jsonString(*v);
        return true;
    }

    template <class E>
    bool choice(const char* name, Names<E> names, std::optional<E>& out, bool required) {
        const json* v = find(name, required);
        if (!v)
            return !required;
        if (v->is_string())
            for (const auto& [n, value] : names)
                if (v->get_ref<const std::string&>() == n) {
                    out = value;
                    return true;
                }
        return fail(std::string("\"") + name + "\" must be one of " + choices(names));
    }

    bool rows(std::vector<uint64_t>& out) {
        const json* v = find("rows", true);
        if (!v)
            return false;
        if (!v->is_array())
            return fail("\"rows\" must be an array of row numbers");
        for (const auto& row : *v) {
            if (const std::string problem = wholeNumberProblem(row); !problem.empty())
                return fail("a row of \"rows\" " + problem);
            out.push_back(row.get<uint64_t>());
        }
        return true;
    }

private:
    const json& object_;
    std::string label_;
    std::string& error_;
};

bool readAction(const json& item, size_t index, Action& action, std::string& error) {
    std::string label = "action " + std::to_string(index);
    if (!item.is_object()) {
        error = label + ": must be an object with \"do\"";
        return false;
    }
    auto doIt = item.find("do");
    if (doIt == item.end() || !doIt->is_string()) {
        error = label + ": \"do\" must name the action, one of " + choices(kActions);
        return false;
    }
    const std::string& name = doIt->get_ref<const std::string&>();
    label += " (" + json(name).dump(-1, ' ', false, json::error_handler_t::replace) + ")";
    action.label = label;
    auto known = std::find_if(kActions.begin(), kActions.end(),
                              [&](const auto& a) { return name == a.first; });
    if (known == kActions.end()) {
        error = label + ": unknown action; known are " + choices(kActions);
        return false;
    }
    action.kind = known->second;

    MemberReader r(item, label, error);
    std::optional<bool> flag;
    std::optional<std::u16string> text;
    switch (action.kind) {
    case ActionKind::Check: {
        std::optional<CheckBox> box;
        if (!r.onlyMembers({"box", "checked"}) || !r.choice("box", kBoxes, box, true) ||
            !r.boolean("checked", flag, true))
            return false;
        action.box = *box;
        action.checked = *flag;
        return true;
    }
    case ActionKind::SetText:
        if (!r.onlyMembers({"field", "text"}) || !r.index("field", action.field) ||
            !r.text("text", text, true))
            return false;
        action.text = std::move(*text);
        return true;
    case ActionKind::ChangeNumber:
        return r.onlyMembers({"field", "number", "start", "zeros", "digits"}) &&
               r.index("field", action.field) &&
               r.choice("number", kNumberRadios, action.number, false) &&
               r.text("start", action.start, false) &&
               r.choice("zeros", kZerosRadios, action.zeros, false) &&
               r.text("digits", action.digits, false);
    case ActionKind::ChangeWild:
        return r.onlyMembers({"field", "truncate", "length", "case"}) &&
               r.index("field", action.field) && r.boolean("truncate", action.truncate, false) &&
               r.text("length", action.length, false) &&
               r.choice("case", kCaseRadios, action.caseMode, false);
    case ActionKind::Select:
        return r.onlyMembers({"rows"}) && r.rows(action.rows);
    case ActionKind::CopyNames:
        if (!r.onlyMembers({"selectedOnly"}) || !r.boolean("selectedOnly", flag, false))
            return false;
        action.selectedOnly = flag.value_or(false);
        return true;
    case ActionKind::PasteNames:
        if (!r.onlyMembers({"selectedOnly", "text"}) || !r.boolean("selectedOnly", flag, false) ||
            !r.text("text", action.clipboard, false))
            return false;
        action.selectedOnly = flag.value_or(false);
        return true;
    default:
        return r.onlyMembers({});
    }
}

// Splits "word" or "word:value".
std::pair<std::string_view, std::optional<std::string_view>> splitWord(std::string_view word) {
    const size_t colon = word.find(':');
    if (colon == std::string_view::npos)
        return {word, std::nullopt};
    return {word.substr(0, colon), word.substr(colon + 1)};
}

bool isDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::u16string ascii(std::string_view s) {
    return std::u16string(s.begin(), s.end());
}

template <class F>
bool forEachWord(std::string_view words, std::string& error, F&& f) {
    if (words.empty()) {
        error = "is empty";
        return false;
    }
    while (true) {
        const size_t comma = words.find(',');
        if (!f(words.substr(0, comma)))
            return false;
        if (comma == std::string_view::npos)
            return true;
        words.remove_prefix(comma + 1);
    }
}

} // namespace

std::optional<std::vector<Action>> readScript(std::string_view jsonText, std::string& error) {
    std::string parseError;
    auto doc = parseJson(jsonText, parseError);
    if (!doc) {
        error = "not valid JSON: " + parseError;
        return std::nullopt;
    }
    if (!doc->is_array()) {
        error = "must be a JSON array of actions, each an object with \"do\"";
        return std::nullopt;
    }
    std::vector<Action> actions(doc->size());
    for (size_t i = 0; i < actions.size(); ++i)
        if (!readAction((*doc)[i], i, actions[i], error))
            return std::nullopt;
    return actions;
}

bool parseNumberSpec(std::string_view words, Action& action, std::string& error) {
    const std::string known =
        " (known: clear, renumber[:START], zeros:remove, zeros:keep, digits:N)";
    return forEachWord(words, error, [&](std::string_view word) {
        auto [name, value] = splitWord(word);
        auto setNumber = [&](ChangeNumberModel::Number n) {
            if (action.number && *action.number != n) {
                error = "choose either clear or renumber";
                return false;
            }
            action.number = n;
            return true;
        };
        auto setZeros = [&](ChangeNumberModel::Zeros z) {
            if (action.zeros && *action.zeros != z) {
                error = "choose one of zeros:remove, zeros:keep and digits:N";
                return false;
            }
            action.zeros = z;
            return true;
        };
        if (name == "clear" && !value)
            return setNumber(ChangeNumberModel::Number::ClearText);
        if (name == "renumber") {
            if (value && !isDigits(*value)) {
                error = "renumber:START needs a start number of digits";
                return false;
            }
            if (value)
                action.start = ascii(*value);
            return setNumber(ChangeNumberModel::Number::Renumber);
        }
        if (name == "zeros" && value == "remove")
            return setZeros(ChangeNumberModel::Zeros::Remove);
        if (name == "zeros" && value == "keep")
            return setZeros(ChangeNumberModel::Zeros::NoChange);
        if (name == "digits") {
            if (!value || !isDigits(*value)) {
                error = "digits:N needs a number of digits";
                return false;
            }
            action.digits = ascii(*value);
            return setZeros(ChangeNumberModel::Zeros::Make);
        }
        error = "unknown word \"" + std::string(word) + "\"" + known;
        return false;
    });
}

bool parseWildSpec(std::string_view words, Action& action, std::string& error) {
    return forEachWord(words, error, [&](std::string_view word) {
        auto [name, value] = splitWord(word);
        auto setCase = [&](CaseMode mode) {
            if (action.caseMode && *action.caseMode != mode) {
                error = "choose one of upper, lower and keepcase";
                return false;
            }
            action.caseMode = mode;
            return true;
        };
        if (name == "truncate") {
            if (!value || !isDigits(*value)) {
                error = "truncate:N needs a length of digits";
                return false;
            }
            action.truncate = true;
            action.length = ascii(*value);
            return true;
        }
        if (word == "upper")
            return setCase(CaseMode::Upper);
        if (word == "lower")
            return setCase(CaseMode::Lower);
        if (word == "keepcase")
            return setCase(CaseMode::NoChange);
        error = "unknown word \"" + std::string(word) +
                "\" (known: truncate:N, upper, lower, keepcase)";
        return false;
    });
}

} // namespace mr::cli
