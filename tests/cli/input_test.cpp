// The readers of the command line: script actions, records, options and JSON text.
#include "cli/actions.h"
#include "cli/json_text.h"
#include "cli/options.h"
#include "cli/records_input.h"

#include "cli_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mr::cli {
namespace {

struct ScriptCase {
    const char* what;
    const char* script;
    const char* error; // empty: accepted
};

class ScriptReader : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptReader, AcceptsWellFormedActionsAndNamesTheFaultyOne) {
    std::string error;
    auto actions = readScript(GetParam().script, error);
    if (*GetParam().error == '\0') {
        EXPECT_TRUE(actions) << error;
        EXPECT_EQ(error, "");
    } else {
        EXPECT_FALSE(actions);
        EXPECT_EQ(error, GetParam().error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScriptReader,
    testing::Values(
        ScriptCase{"empty script", "[]", ""},
        ScriptCase{"every action",
                   R"([{"do":"check","box":"numbersAsText","checked":true},
                       {"do":"setText","field":0,"text":"x"},
                       {"do":"changeNumber","field":1,"number":"renumber","start":"7",
                        "zeros":"make","digits":"3"},
                       {"do":"changeWild","field":2,"truncate":true,"length":"4","case":"upper"},
                       {"do":"select","rows":[0,2]},{"do":"selectAll"},{"do":"invertSelection"},
                       {"do":"copyNames","selectedOnly":true},{"do":"pasteNames","text":"a\nb"},
                       {"do":"resetNames"},{"do":"removeFiles"},{"do":"reset"},
                       {"do":"rename"},{"do":"cancel"},{"do":"snapshot"}])",
                   ""},
        ScriptCase{"not JSON", "[{",
                   "not valid JSON: parse error at line 1, column 3: syntax "
                   "error while parsing object key - unexpected end of input; "
                   "expected string literal"},
        ScriptCase{"not an array", R"({"do":"rename"})",
                   "must be a JSON array of actions, each an object with \"do\""},
        ScriptCase{"action not an object", "[3]", "action 0: must be an object with \"do\""},
        ScriptCase{"missing do", R"([{"field":1}])",
                   "action 0: \"do\" must name the action, one of \"check\", \"setText\", "
                   "\"changeNumber\", \"changeWild\", \"select\", \"selectAll\", "
                   "\"invertSelection\", \"copyNames\", \"pasteNames\", \"resetNames\", "
                   "\"removeFiles\", \"reset\", \"rename\", \"cancel\", \"snapshot\""},
        ScriptCase{"unknown action", R"([{"do":"rename"},{"do":"undo"}])",
                   "action 1 (\"undo\"): unknown action; known are \"check\", \"setText\", "
                   "\"changeNumber\", \"changeWild\", \"select\", \"selectAll\", "
                   "\"invertSelection\", \"copyNames\", \"pasteNames\", \"resetNames\", "
                   "\"removeFiles\", \"reset\", \"rename\", \"cancel\", \"snapshot\""},
        ScriptCase{"misspelt member", R"([{"do":"setText","feild":0,"text":"x"}])",
                   "action 0 (\"setText\"): unknown member \"feild\""},
        ScriptCase{"member on an action without any", R"([{"do":"reset","all":true}])",
                   "action 0 (\"reset\"): unknown member \"all\" (this action takes none)"},
        ScriptCase{"negative field", R"([{"do":"setText","field":-1,"text":"x"}])",
                   "action 0 (\"setText\"): \"field\" must be a whole number from 0 up"},
        ScriptCase{"fractional field", R"([{"do":"changeWild","field":1.5}])",
                   "action 0 (\"changeWild\"): \"field\" must be a whole number from 0 up"},
        ScriptCase{"text missing", R"([{"do":"setText","field":0}])",
                   "action 0 (\"setText\"): \"text\" is missing"},
        ScriptCase{"text not a string", R"([{"do":"setText","field":0,"text":5}])",
                   "action 0 (\"setText\"): \"text\" must be a string"},
        ScriptCase{"start is an edit text", R"([{"do":"changeNumber","field":0,"start":5}])",
                   "action 0 (\"changeNumber\"): \"start\" must be a string"},
        ScriptCase{"unknown radio", R"([{"do":"changeNumber","field":0,"zeros":"pad"}])",
                   "action 0 (\"changeNumber\"): \"zeros\" must be one of \"noChange\", "
                   "\"remove\", \"make\""},
        ScriptCase{"unknown box", R"([{"do":"check","box":"hidden","checked":true}])",
                   "action 0 (\"check\"): \"box\" must be one of \"allowExtensionChanges\", "
                   "\"numbersAsText\""},
        ScriptCase{"checked as a string",
                   R"([{"do":"check","box":"numbersAsText","checked":"yes"}])",
                   "action 0 (\"check\"): \"checked\" must be true or false"},
        ScriptCase{"rows not an array", R"([{"do":"select","rows":1}])",
                   "action 0 (\"select\"): \"rows\" must be an array of row numbers"},
        ScriptCase{"negative row", R"([{"do":"select","rows":[0,-2]}])",
                   "action 0 (\"select\"): \"rows\" must hold whole numbers from 0 up"},
        ScriptCase{"too deep",
                   "[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[["
                   "[[[[[]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]]",
                   "not valid JSON: nested more than 64 levels deep"}),
    test::CaseName());

TEST(ScriptReaderValues, ControlsLeftOutStayUnset) {
    std::string error;
    auto actions = readScript(
        R"([{"do":"changeNumber","field":3,"digits":"05"},{"do":"pasteNames","selectedOnly":true}])",
        error);
    ASSERT_TRUE(actions) << error;
    const Action& n = (*actions)[0];
    EXPECT_EQ(n.field, 3u);
    EXPECT_FALSE(n.number);
    EXPECT_FALSE(n.start);
    EXPECT_FALSE(n.zeros);
    EXPECT_EQ(n.digits, u"05");
    EXPECT_EQ(n.label, "action 0 (\"changeNumber\")");
    // Left out, the clipboard keeps what it holds.
    EXPECT_FALSE((*actions)[1].clipboard);
    EXPECT_TRUE((*actions)[1].selectedOnly);
}

struct SpecCase {
    const char* words;
    bool number; // --number, else --wild
    const char* error;
    std::optional<ChangeNumberModel::Number> radio = std::nullopt;
    std::optional<std::u16string> start = std::nullopt;
    std::optional<ChangeNumberModel::Zeros> zeros = std::nullopt;
    std::optional<std::u16string> digits = std::nullopt;
    std::optional<bool> truncate = std::nullopt;
    std::optional<std::u16string> length = std::nullopt;
    std::optional<uint32_t> caseMode = std::nullopt;
};

class FieldSpec : public testing::TestWithParam<SpecCase> {};

TEST_P(FieldSpec, WordsSetTheDialogControls) {
    const SpecCase& c = GetParam();
    Action a;
    std::string error;
    const bool ok =
        c.number ? parseNumberSpec(c.words, a, error) : parseWildSpec(c.words, a, error);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(ok, *c.error == '\0');
    if (!ok)
        return;
    EXPECT_EQ(a.number, c.radio);
    EXPECT_EQ(a.start, c.start);
    EXPECT_EQ(a.zeros, c.zeros);
    EXPECT_EQ(a.digits, c.digits);
    EXPECT_EQ(a.truncate, c.truncate);
    EXPECT_EQ(a.length, c.length);
    EXPECT_EQ(a.caseMode, c.caseMode);
}

using N = ChangeNumberModel::Number;
using Z = ChangeNumberModel::Zeros;
INSTANTIATE_TEST_SUITE_P(
    Cases, FieldSpec,
    testing::Values(SpecCase{"clear", true, "", N::ClearText},
                    SpecCase{"renumber", true, "", N::Renumber},
                    SpecCase{"renumber:10,digits:3", true, "", N::Renumber, u"10", Z::Make, u"3"},
                    SpecCase{"zeros:remove", true, "", std::nullopt, std::nullopt, Z::Remove},
                    SpecCase{"zeros:keep", true, "", std::nullopt, std::nullopt, Z::NoChange},
                    SpecCase{"digits:3,zeros:remove", true,
                             "choose one of zeros:remove, zeros:keep and digits:N"},
                    SpecCase{"clear,renumber:2", true, "choose either clear or renumber"},
                    SpecCase{"renumber:-1", true, "renumber:START needs a start number of digits"},
                    SpecCase{"digits", true, "digits:N needs a number of digits"},
                    SpecCase{"", true, "is empty"},
                    SpecCase{"pad", true,
                             "unknown word \"pad\" (known: clear, renumber[:START], zeros:remove, "
                             "zeros:keep, digits:N)"},
                    SpecCase{"truncate:8,upper", false, "", {}, {}, {}, {}, true, u"8", 1u},
                    SpecCase{"keepcase", false, "", {}, {}, {}, {}, {}, {}, 0u},
                    SpecCase{"lower,upper", false, "choose one of upper, lower and keepcase"},
                    SpecCase{"truncate", false, "truncate:N needs a length of digits"},
                    SpecCase{
                        "title", false,
                        "unknown word \"title\" (known: truncate:N, upper, lower, keepcase)"}));

struct RecordsCase {
    const char* what;
    const char* json;
    const char* error;
};

class RecordsReader : public testing::TestWithParam<RecordsCase> {};

TEST_P(RecordsReader, NamesTheMemberThatIsWrong) {
    std::string error;
    auto input = readRecords(GetParam().json, error);
    EXPECT_EQ(error, GetParam().error);
    EXPECT_EQ(input.has_value(), *GetParam().error == '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordsReader,
    testing::Values(
        RecordsCase{"minimal", R"({"paths":[]})", ""},
        RecordsCase{"full",
                    R"({"rules":"windows","workingDirectory":"C:\\W\\","folders":[{"path":"C:\\P\\",
                        "entries":[{"name":"a.jpg","directory":false,"lastWriteTime":1,
                        "creationTime":2,"size":3}]}],"paths":["C:\\P\\a.jpg"]})",
                    ""},
        RecordsCase{"array", "[]", "must be a JSON object with \"folders\" and \"paths\""},
        RecordsCase{"no paths", R"({"folders":[]})",
                    "\"paths\" must be an array of the host's paths"},
        RecordsCase{"unknown rules", R"({"rules":"mac","paths":[]})",
                    "\"rules\" must be \"windows\" or \"posix\""},
        RecordsCase{"unknown member", R"({"path":[],"paths":[]})",
                    "records: unknown member \"path\""},
        RecordsCase{"path not a string", R"({"paths":["a",1]})", "paths[1] must be a string"},
        RecordsCase{"folder without entries", R"({"folders":[{"path":"C:\\"}],"paths":[]})",
                    "folders[0]: \"entries\" must be an array"},
        RecordsCase{"entry without name",
                    R"({"folders":[{"path":"C:\\","entries":[{"size":1}]}],"paths":[]})",
                    "folders[0].entries[0]: \"name\" must be a string"},
        RecordsCase{
            "negative size",
            R"({"folders":[{"path":"C:\\","entries":[{"name":"a","size":-1}]}],"paths":[]})",
            "folders[0].entries[0]: \"size\" must be a whole number from 0 up"},
        RecordsCase{"same folder twice in another case",
                    R"({"folders":[{"path":"C:\\A\\","entries":[]},{"path":"c:\\a","entries":[]}],
                        "paths":[]})",
                    "folders[1]: the folder c:\\a\\ is listed twice"},
        RecordsCase{"posix folders differing in case",
                    R"({"rules":"posix","folders":[{"path":"/A/","entries":[]},
                        {"path":"/a/","entries":[]}],"paths":[]})",
                    ""}),
    test::CaseName());

TEST(RecordsListing, FoldersAreListedAsRecordedAndOnlyThose) {
    std::string error;
    auto input = readRecords(R"({"workingDirectory":"C:\\W\\","folders":[{"path":"C:\\Photos",
        "entries":[{"name":"b.jpg"},{"name":"a.jpg","directory":true}]}],"paths":[]})",
                             error);
    ASSERT_TRUE(input) << error;
    RecordsFileSystem fs(*input);
    auto listing = fs.listFolder(u"c:\\PHOTOS\\");
    ASSERT_TRUE(listing);
    ASSERT_EQ(listing->entries.size(), 2u);
    EXPECT_EQ(listing->entries[0].name, u"b.jpg");
    EXPECT_TRUE(listing->entries[1].isDirectory);
    EXPECT_FALSE(fs.listFolder(u"C:\\W\\"));
    EXPECT_EQ(fs.workingDirectory(), u"C:\\W\\");
}

struct JsonStringCase {
    const char* json;
    std::u16string text;
};

class JsonStrings : public testing::TestWithParam<JsonStringCase> {};

TEST_P(JsonStrings, LoneSurrogatesSurviveBothWays) {
    std::string error;
    auto doc = parseJson(GetParam().json, error);
    ASSERT_TRUE(doc) << error;
    EXPECT_EQ(jsonString(*doc), GetParam().text);
    EXPECT_EQ(jsonQuoted(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonStrings,
    testing::Values(JsonStringCase{R"("plain")", u"plain"},
                    JsonStringCase{"\"caf\xc3\xa9\"", u"caf\u00e9"},
                    JsonStringCase{"\"\xf0\x9f\x93\xb7.jpg\"", u"\U0001F4F7.jpg"},
                    JsonStringCase{R"("bad\udc80byte")", u"bad\xdc80"
                                                         u"byte"},
                    JsonStringCase{R"("\ud800")", u"\xd800"},
                    JsonStringCase{R"("nul\u0000end")", std::u16string(u"nul\0end", 7)},
                    JsonStringCase{R"("esc\u001b")", u"esc\x1b"},
                    JsonStringCase{R"("q\"b\\s\n\t")", u"q\"b\\s\n\t"},
                    // ASCII runs around characters of two, three and four bytes.
                    JsonStringCase{"\"\\\"a\xc3\xa9"
                                   "b\xe2\x82\xac\xf0\x9f\x93\xb7\\\"\"",
                                   u"\"a\u00e9b\u20ac\U0001F4F7\""},
                    JsonStringCase{R"("end\ud83d")", u"end\xd83d"}));

// Streamed in pieces, the document is the same text as written whole.
TEST(JsonWriterOutput, StreamedEqualsWhole) {
    auto write = [](JsonWriter& w) {
        w.beginObject();
        w.key("rows");
        w.beginArray();
        for (int i = 0; i < 20000; ++i)
            w.value(std::u16string_view(u"IMG_0001.JPG \u00e9"));
        w.endArray();
        w.endObject();
    };
    std::string whole;
    JsonWriter w(whole);
    write(w);
    std::ostringstream streamed;
    {
        JsonWriter s(streamed);
        write(s);
    }
    EXPECT_GT(whole.size(), 200000u);
    EXPECT_EQ(streamed.str(), whole);
}

TEST(JsonWriterOutput, NestsWithCommasAndIndentation) {
    std::string out;
    JsonWriter w(out);
    w.beginObject();
    w.member("a", int64_t{-1});
    w.key("list");
    w.beginArray();
    w.value(true);
    w.null();
    w.beginObject();
    w.endObject();
    w.endArray();
    w.member("s", std::u16string_view(u"x"));
    w.endObject();
    EXPECT_EQ(
        out,
        "{\n  \"a\": -1,\n  \"list\": [\n    true,\n    null,\n    {}\n  ],\n  \"s\": \"x\"\n}");
    std::string error;
    EXPECT_TRUE(parseJson(out, error)) << error;
}

struct OptionsCase {
    std::vector<std::string> args;
    int exit;                        // -1: runs
    std::vector<std::string> labels; // of the actions, in order
    const char* error;               // start of the message on err
};

class CommandLine : public testing::TestWithParam<OptionsCase> {};

TEST_P(CommandLine, OptionsBecomeActionsInTheirOrder) {
    std::ostringstream out, err;
    auto result = parseCommandLine(GetParam().args, out, err);
    if (GetParam().exit >= 0) {
        ASSERT_TRUE(std::holds_alternative<int>(result));
        EXPECT_EQ(std::get<int>(result), GetParam().exit);
        EXPECT_EQ(err.str().substr(0, strlen(GetParam().error)), GetParam().error) << err.str();
        return;
    }
    ASSERT_TRUE(std::holds_alternative<Invocation>(result)) << err.str();
    std::vector<std::string> labels;
    for (const auto& a : std::get<Invocation>(result).actions)
        labels.push_back(a.label);
    EXPECT_EQ(labels, GetParam().labels);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    testing::Values(
        OptionsCase{{"a.txt"}, -1, {}, ""},
        OptionsCase{{"-t", "2=x", "--wild", "1=upper", "-n", "-t", "0=", "--number", "3=clear",
                     "-e", "a", "b"},
                    -1,
                    {"--allow-extension-changes", "--numbers-as-text", "--text 2=x",
                     "--wild 1=upper", "--text 0=", "--number 3=clear"},
                    ""},
        OptionsCase{{}, 1, {}, "multirename: name the files to rename"},
        OptionsCase{{"--records", "r.json", "a.txt"}, 1, {}, "--records excludes PATH"},
        OptionsCase{{"-t", "x", "a"}, 1, {}, "multirename: --text x: expected FIELD=VALUE"},
        OptionsCase{
            {"--number", "1=pad", "a"}, 1, {}, "multirename: --number 1=pad: unknown word \"pad\""},
        OptionsCase{
            {"--paste", "-", "--script", "-", "a"},
            1,
            {},
            "multirename: only one of --paste, --script and --records can read standard input"},
        OptionsCase{{"--frobnicate", "a"}, 1, {}, "The following argument was not expected"},
        OptionsCase{{"--help"}, 0, {}, ""}, OptionsCase{{"--version"}, 0, {}, ""}));

TEST(CommandLineHelp, ShowsExamples) {
    std::ostringstream out, err;
    EXPECT_EQ(std::get<int>(parseCommandLine({"--help"}, out, err)), 0);
    EXPECT_NE(out.str().find("Examples:"), std::string::npos);
    EXPECT_NE(out.str().find("--number"), std::string::npos);
}

} // namespace
} // namespace mr::cli
