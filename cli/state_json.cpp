#include "cli/state_json.h"

#include "rename/validation.h"
#include "resources/captions.h"
#include "ui/model/state_images.h"

#include <ostream>

namespace mr::cli {
namespace {

const char* kindName(TokenKind kind) {
    switch (kind) {
    case TokenKind::Number:
        return "Number";
    case TokenKind::Wildcard:
        return "Wildcard";
    default:
        return "Text";
    }
}

void writeToken(JsonWriter& w, const PatternToken& t) {
    w.beginObject();
    w.member("kind", kindName(t.kind));
    w.member("matchText", std::u16string_view(t.matchText));
    w.member("newText", std::u16string_view(t.newText));
    w.member("keepMatched", t.keepMatched);
    w.member("hasInvalidChars", t.hasInvalidChars);
    w.member("length", t.length);
    w.member("isExtension", t.isExtension);
    w.member("truncate", t.truncate);
    w.member("caseMode", static_cast<uint32_t>(t.caseMode));
    w.member("clearNumber", t.clearNumber);
    w.member("zeroMode", static_cast<uint32_t>(t.zeroMode));
    w.member("renumber", t.renumber);
    w.member("startNumber", t.startNumber);
    w.member("minimum", t.minimum);
    w.endObject();
}

void writePattern(JsonWriter& w, const NamePattern& p) {
    w.beginObject();
    w.member("patternText", std::u16string_view(p.patternText));
    w.member("includesExtension", p.includesExtension);
    w.key("tokens");
    w.beginArray();
    for (const auto& t : p.tokens)
        writeToken(w, t);
    w.endArray();
    w.endObject();
}

void writeRow(JsonWriter& w, const ChangeTextModel& model, size_t row) {
    const FileRecord& f = *model.rows()[row];
    w.beginObject();
    w.member("folder", std::u16string_view(f.folder->path));
    w.member("name", std::u16string_view(f.name));
    w.member("newName", std::u16string_view(f.newName));
    w.member("status", static_cast<uint32_t>(f.status));
    w.member("stateImage", stateImageForStatus(f.status));
    w.member("takesPart", f.takesPart);
    w.member("pastedName", f.pastedName);
    w.member("selected", model.isSelected(row));
    w.member("listPosition", f.listPosition);
    w.member("folderPosition", f.folderPosition);
    // The list draws a pasted new name in bold.
    w.member("bold", f.pastedName);
    w.endObject();
}

} // namespace

void writeState(JsonWriter& w, ChangeTextModel& model) {
    w.beginObject();
    w.member("currentPatternIndex", model.currentPatternIndex());
    w.member("allowExtensionChanges", model.allowExtensionChanges());
    w.member("allowExtensionChangesEnabled", model.allowExtensionChangesEnabled());
    w.member("numbersAsText", model.numbersAsText());
    w.member("numbersAsTextEnabled", model.numbersAsTextEnabled());
    w.member("editingEnabled", model.editingEnabled());
    w.key("patterns");
    w.beginArray();
    for (const auto& p : model.patterns())
        writePattern(w, p);
    w.endArray();
    w.key("fields");
    w.beginArray();
    for (const auto& f : model.fields()) {
        w.beginObject();
        w.member("text", std::u16string_view(f.text));
        w.member("isButton", f.isButton);
        w.endObject();
    }
    w.endArray();
    w.key("columns");
    w.beginArray();
    w.value(MR_CAPTION_OLD_NAME);
    w.value(MR_CAPTION_NEW_NAME);
    if (model.hasFolderColumn())
        w.value(MR_CAPTION_FOLDER);
    w.endArray();
    w.key("rows");
    w.beginArray();
    for (size_t i = 0; i < model.rows().size(); ++i)
        writeRow(w, model, i);
    w.endArray();

    summarize(model.records());
    w.key("summary");
    w.beginObject();
    w.member("status", static_cast<uint32_t>(model.records().summaryStatus));
    w.member("anyChange", model.records().anyChange);
    w.key("problems");
    w.beginArray();
    for (uint32_t count : countProblems(model.records()))
        w.value(count);
    w.endArray();
    w.endObject();
    w.endObject();
}

std::string stateText(ChangeTextModel& model, size_t indent) {
    std::string out;
    JsonWriter w(out, indent);
    writeState(w, model);
    return out;
}

void writeDocument(std::ostream& out, const Document& doc, ChangeTextModel& model) {
    JsonWriter w(out);
    w.beginObject();
    w.key("state");
    writeState(w, model);
    w.key("snapshots");
    w.beginArray();
    for (const auto& s : doc.snapshots)
        w.raw(s);
    w.endArray();
    w.key("messages");
    w.beginArray();
    if (doc.messages)
        for (const auto& m : *doc.messages) {
            w.beginObject();
            w.member("id", m.id);
            w.member("text", std::u16string_view(m.text));
            w.member("icon", m.icon == MessageIcon::Information ? "information" : "exclamation");
            w.endObject();
        }
    w.endArray();
    w.key("clipboard");
    if (doc.clipboard && !doc.clipboard->empty())
        w.value(std::u16string_view(*doc.clipboard));
    else
        w.null();
    w.key("closed");
    if (doc.closed)
        w.value(doc.closed);
    else
        w.null();
    w.key("renames");
    if (doc.renames) {
        w.beginArray();
        for (const auto& r : *doc.renames) {
            w.beginObject();
            w.member("from", std::u16string_view(r.from));
            w.member("to", std::u16string_view(r.to));
            w.endObject();
        }
        w.endArray();
    } else {
        w.null();
    }
    w.endObject();
    w.flush();
    out << '\n';
}

} // namespace mr::cli
