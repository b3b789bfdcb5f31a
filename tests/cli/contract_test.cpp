// The command line's contract over recorded folders: each row runs dialog events and
// checks pieces of the JSON document.
#include "cli_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace mr::cli::test {
namespace {

const std::map<std::string, std::string> kRecords = {
    {"photos", R"({"folders":[{"path":"C:\\Photos\\","entries":[
        {"name":"IMG_0041.JPG"},{"name":"IMG_0042.JPG"},{"name":"IMG_0047.JPG"},
        {"name":"README"}]}],
      "paths":["C:\\Photos\\IMG_0041.JPG","C:\\Photos\\IMG_0042.JPG","C:\\Photos\\IMG_0047.JPG"]})"},
    {"words", R"({"folders":[{"path":"C:\\Docs\\","entries":[
        {"name":"apple.txt"},{"name":"kiwi.txt"},{"name":"plum.txt"}]}],
      "paths":["C:\\Docs\\apple.txt","C:\\Docs\\kiwi.txt","C:\\Docs\\plum.txt"]})"},
    {"bare", R"({"folders":[{"path":"C:\\Bin\\","entries":[{"name":"make"},{"name":"test"}]}],
      "paths":["C:\\Bin\\make","C:\\Bin\\test"]})"},
    {"chain", R"({"folders":[{"path":"C:\\N\\","entries":[{"name":"f1.txt"},{"name":"f2.txt"}]}],
      "paths":["C:\\N\\f1.txt","C:\\N\\f2.txt"]})"},
    // A POSIX folder that ignores case, and the same folder where case counts.
    {"posix ignoring case", R"({"rules":"posix","folders":[{"path":"/m/","caseInsensitive":true,
        "entries":[{"name":"a1.txt"},{"name":"a2.txt"},{"name":"B.txt"}]}],
      "paths":["/m/a1.txt","/m/a2.txt"]})"},
    {"posix with case", R"({"rules":"posix","folders":[{"path":"/m/","caseInsensitive":false,
        "entries":[{"name":"a1.txt"},{"name":"a2.txt"},{"name":"B.txt"}]}],
      "paths":["/m/a1.txt","/m/a2.txt"]})"},
    {"two folders", R"({"workingDirectory":"C:\\A\\","folders":[
        {"path":"C:\\A\\","entries":[{"name":"x1.txt"},{"name":"x2.txt"}]},
        {"path":"C:\\B\\","entries":[{"name":"x3.txt"}]}],
      "paths":["C:\\B\\x3.txt","x3.txt","C:\\A\\x1.txt","x2.txt"]})"},
};

struct Fragment {
    const char* pointer;
    const char* json;
};

struct ContractCase {
    const char* what;
    const char* records;
    std::vector<std::string> args; // after --json --records FILE
    const char* script;            // --script on standard input, "" for none
    int exit;
    std::vector<Fragment> expect;
    const char* err = ""; // a part of standard error
};

class Contract : public testing::TestWithParam<ContractCase> {};

TEST_P(Contract, DocumentHoldsTheDialogsState) {
    const ContractCase& c = GetParam();
    TempFolder tmp;
    std::vector<std::string> args = {"--json", "--records",
                                     tmp.write("records.json", kRecords.at(c.records)).string()};
    args.insert(args.end(), c.args.begin(), c.args.end());
    // The script comes on standard input, unless an option already reads it from there.
    if (*c.script && std::find(args.begin(), args.end(), "-") == args.end()) {
        args.push_back("--script");
        args.push_back("-");
    }
    const RunResult r = run(args, c.script);
    EXPECT_EQ(r.exit, c.exit) << r.err;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    if (c.exit == 1) {
        EXPECT_EQ(r.out, "");
        return;
    }
    ASSERT_TRUE(r.doc.is_object()) << r.out;
    for (const Fragment& f : c.expect) {
        const nlohmann::json::json_pointer pointer(f.pointer);
        ASSERT_TRUE(r.doc.contains(pointer)) << f.pointer;
        EXPECT_EQ(r.doc.at(pointer), nlohmann::json::parse(f.json)) << f.pointer;
    }
}

const std::string k256(256, 'x');
const std::string kPasteTooLong = R"([{"do":"pasteNames","text":"a\n)" + k256 + R"(\nb"}])";

INSTANTIATE_TEST_SUITE_P(
    Cases, Contract,
    testing::Values(
        // What the dialog shows when it opens.
        ContractCase{
            "derived fields and check boxes",
            "photos",
            {},
            "",
            0,
            {{"/state/currentPatternIndex", "0"},
             {"/state/fields", R"([{"text":"IMG_","isButton":false},
                                            {"text":"#","isButton":true},
                                            {"text":"","isButton":false}])"},
             {"/state/allowExtensionChangesEnabled", "true"},
             {"/state/numbersAsTextEnabled", "true"},
             {"/state/columns", R"(["Old Name","New Name"])"},
             {"/state/rows/2/name", R"("IMG_0047.JPG")"},
             {"/state/rows/2/status", "3"},
             {"/state/rows/2/stateImage", "2"},
             {"/state/patterns/0/tokens/1/kind", R"("Number")"},
             {"/state/patterns/0/tokens/1/minimum", "41"},
             {"/state/summary", R"({"status":2,"anyChange":false,"problems":[0,0,0,0,0,0]})"}}},
        ContractCase{"rows from two folders, bare names in the folder before them",
                     "two folders",
                     {},
                     "",
                     0,
                     {{"/state/columns", R"(["Old Name","New Name","Folder"])"},
                      {"/state/rows/0/folder", R"("C:\\A\\")"},
                      {"/state/rows/0/name", R"("x1.txt")"},
                      {"/state/rows/1/name", R"("x2.txt")"},
                      {"/state/rows/1/folderPosition", "1"},
                      {"/state/rows/2/folder", R"("C:\\B\\")"},
                      {"/state/rows/2/listPosition", "2"},
                      {"/state/rows/2/folderPosition", "0"}}},
        ContractCase{"a name without extension disables Allow Extension Changes",
                     "bare",
                     {},
                     "",
                     0,
                     {{"/state/allowExtensionChangesEnabled", "false"},
                      {"/state/allowExtensionChanges", "false"}}},

        // Typing, check boxes, the field dialogs.
        ContractCase{"typing into a text field renames every file",
                     "photos",
                     {"-t", "0=Rome_"},
                     "",
                     0,
                     {{"/state/rows/0/newName", R"("Rome_0041.JPG")"},
                      {"/state/rows/0/status", "2"},
                      {"/state/rows/0/stateImage", "1"},
                      {"/closed", R"("ok")"},
                      {"/messages", "[]"},
                      {"/renames/0", R"({"from":"C:\\Photos\\IMG_0041.JPG",
                                         "to":"C:\\Photos\\Rome_0041.JPG"})"},
                      {"/renames/2/to", R"("C:\\Photos\\Rome_0047.JPG")"}}},
        ContractCase{"typed text carries over to the variant with the extension",
                     "photos",
                     {},
                     R"([{"do":"setText","field":0,"text":"Rome_"},
                         {"do":"check","box":"allowExtensionChanges","checked":true},
                         {"do":"snapshot"}])",
                     0,
                     {{"/snapshots/0/currentPatternIndex", "1"},
                      {"/snapshots/0/fields/0/text", R"("Rome_")"},
                      {"/snapshots/0/rows/1/newName", R"("Rome_0042.JPG")"}}},
        ContractCase{"a box already in the requested state is no click",
                     "bare",
                     {},
                     R"([{"do":"check","box":"allowExtensionChanges","checked":false}])",
                     0,
                     {{"/state/allowExtensionChanges", "false"}}},
        ContractCase{"numbers as text turn the number field into text",
                     "photos",
                     {"-n"},
                     "",
                     0,
                     {{"/state/currentPatternIndex", "2"}, {"/state/numbersAsText", "true"}}},
        ContractCase{"renumber from 1 with three digits keeps the gaps",
                     "photos",
                     {"--number", "1=renumber:1,digits:3"},
                     "",
                     0,
                     {{"/state/rows/0/newName", R"("IMG_001.JPG")"},
                      {"/state/rows/1/newName", R"("IMG_002.JPG")"},
                      {"/state/rows/2/newName", R"("IMG_007.JPG")"},
                      {"/state/patterns/0/tokens/1/renumber", "true"},
                      {"/state/patterns/0/tokens/1/startNumber", "1"},
                      {"/state/patterns/0/tokens/1/zeroMode", "1"},
                      {"/state/patterns/0/tokens/1/length", "3"}}},
        ContractCase{"clear the number",
                     "photos",
                     {"-t", "0=P", "--number", "1=clear"},
                     "",
                     2,
                     {{"/state/rows/0/newName", R"("P.JPG")"},
                      {"/state/rows/0/status", "4"},
                      {"/state/summary/problems", "[3,0,0,0,0,0]"},
                      {"/renames", "null"}},
                     "Unable to rename files:"},
        ContractCase{"Change Number with the edits left as opened",
                     "photos",
                     {},
                     R"([{"do":"changeNumber","field":1,"number":"renumber"}])",
                     0,
                     {{"/state/rows/0/newName", R"("IMG_0001.JPG")"},
                      {"/state/rows/2/newName", R"("IMG_0007.JPG")"}}},
        ContractCase{"Change Wild upper-cases the wildcard",
                     "words",
                     {"--wild", "1=upper"},
                     "",
                     0,
                     {{"/state/rows/0/newName", R"("APPLE.txt")"},
                      {"/state/patterns/0/tokens/1/caseMode", "1"}}},
        ContractCase{"Change Wild truncates",
                     "words",
                     {},
                     R"([{"do":"changeWild","field":1,"truncate":true,"length":"2"}])",
                     0,
                     {{"/state/rows/2/newName", R"("pl.txt")"},
                      {"/state/patterns/0/tokens/1/truncate", "true"},
                      {"/state/patterns/0/tokens/1/length", "2"}}},
        ContractCase{"edit texts are read by their leading digits",
                     "words",
                     {},
                     R"([{"do":"changeWild","field":1,"truncate":true,"length":"3x9"}])",
                     0,
                     {{"/state/rows/0/newName", R"("app.txt")"}}},

        // Copy and paste.
        ContractCase{"copy puts every new name on a line",
                     "photos",
                     {},
                     R"([{"do":"copyNames","selectedOnly":false}])",
                     0,
                     {{"/clipboard", R"("IMG_0041.JPG\nIMG_0042.JPG\nIMG_0047.JPG\n")"},
                      {"/messages/0", R"({"id":2518,"icon":"information",
                         "text":"The filenames have been copied to the clipboard."})"}}},
        ContractCase{
            "copying nothing selected leaves the clipboard without text",
            "photos",
            {},
            R"([{"do":"pasteNames","text":"q\nr\ns"},{"do":"copyNames","selectedOnly":true}])",
            0,
            {{"/clipboard", "null"}, {"/messages/0/id", "2518"}}},
        ContractCase{"paste keeps each file's extension and disables editing",
                     "photos",
                     {},
                     R"([{"do":"pasteNames","text":"x.doc\r\n\n y \nz"}])",
                     0,
                     {{"/state/rows/0/newName", R"("x.JPG")"},
                      {"/state/rows/1/newName", R"("y.JPG")"},
                      {"/state/rows/2/pastedName", "true"},
                      {"/state/rows/2/bold", "true"},
                      {"/state/editingEnabled", "false"},
                      {"/renames/1/to", R"("C:\\Photos\\y.JPG")"}}},
        ContractCase{
            "paste from a file",
            "words",
            {"-e", "--paste", "-"},
            "one.md\ntwo.md\nthree.md\n",
            0,
            {{"/state/rows/0/newName", R"("one.md")"}, {"/state/rows/2/newName", R"("three.md")"}}},
        ContractCase{
            "paste refused for a forbidden character on any line",
            "photos",
            {},
            R"([{"do":"pasteNames","text":"a\nb\n\nc:"}])",
            0,
            {{"/messages/0/id", "2519"},
             {"/messages/0/icon", R"("exclamation")"},
             {"/messages/0/text",
              R"("The text on the clipboard cannot be used to name the files, since it contains one of these characters which are not allowed in filenames:\n\\ / : * ? \" < > |")"},
             {"/state/rows/0/pastedName", "false"},
             {"/state/editingEnabled", "true"}}},
        ContractCase{"paste refused for a line over 255 characters",
                     "photos",
                     {},
                     kPasteTooLong.c_str(),
                     0,
                     {{"/messages/0/id", "2522"}, {"/state/rows/1/pastedName", "false"}}},
        ContractCase{
            "paste refused when lines and files differ in number",
            "photos",
            {},
            R"([{"do":"select","rows":[0,2]},
                         {"do":"pasteNames","selectedOnly":true,"text":"a\nb\nc"}])",
            0,
            {{"/messages/0/id", "2520"},
             {"/messages/0/text",
              R"("The text on the clipboard must contain one line for each filename.\n\nNumber of files to rename: 2\nNumber of lines on clipboard: 3")"}}},
        ContractCase{"paste onto the selection, then Reset Name(s) on one row",
                     "photos",
                     {},
                     R"([{"do":"pasteNames","text":"a\nb\nc"},{"do":"select","rows":[1]},
                         {"do":"resetNames"}])",
                     0,
                     {{"/state/rows/0/pastedName", "true"},
                      {"/state/rows/1/pastedName", "false"},
                      {"/state/rows/1/newName", R"("IMG_0042.JPG")"},
                      {"/state/rows/1/selected", "true"},
                      {"/state/editingEnabled", "true"}}},
        ContractCase{"Reset Name(s) with nothing selected keeps the pasted names",
                     "photos",
                     {},
                     R"([{"do":"pasteNames","text":"a\nb\nc"},{"do":"resetNames"}])",
                     0,
                     {{"/state/rows/1/pastedName", "true"}, {"/state/editingEnabled", "false"}}},
        ContractCase{"Reset drops pasted names and typed text",
                     "photos",
                     {"-t", "0=Rome_"},
                     R"([{"do":"pasteNames","text":"a\nb\nc"},{"do":"reset"}])",
                     0,
                     {{"/state/rows/0/newName", R"("IMG_0041.JPG")"},
                      {"/state/rows/0/pastedName", "false"},
                      {"/state/fields/0/text", R"("IMG_")"},
                      {"/state/editingEnabled", "true"},
                      {"/closed", R"("ok")"},
                      {"/messages/0/id", "2502"}}},

        // The list.
        ContractCase{"select all, then invert",
                     "photos",
                     {},
                     R"([{"do":"select","rows":[1]},{"do":"invertSelection"},{"do":"snapshot"},
                         {"do":"selectAll"}])",
                     0,
                     {{"/snapshots/0/rows/0/selected", "true"},
                      {"/snapshots/0/rows/1/selected", "false"},
                      {"/state/rows/1/selected", "true"}}},
        ContractCase{"removing every row is refused",
                     "photos",
                     {},
                     R"([{"do":"selectAll"},{"do":"removeFiles"}])",
                     0,
                     {{"/messages/0", R"({"id":2521,"icon":"exclamation",
                         "text":"You cannot remove all the files from the list."})"},
                      {"/state/rows/2/name", R"("IMG_0047.JPG")"}}},
        ContractCase{"removing rows renumbers the list and the minimums",
                     "photos",
                     {"--number", "1=renumber:1"},
                     R"([{"do":"select","rows":[0]},{"do":"removeFiles"}])",
                     0,
                     {{"/state/rows/0/name", R"("IMG_0042.JPG")"},
                      {"/state/rows/0/listPosition", "0"},
                      {"/state/rows/0/newName", R"("IMG_0001.JPG")"},
                      {"/state/rows/1/newName", R"("IMG_0006.JPG")"}}},

        // "Rename".
        ContractCase{"Rename with nothing to change closes with the information",
                     "words",
                     {},
                     "",
                     0,
                     {{"/closed", R"("ok")"},
                      {"/renames", "null"},
                      {"/messages", R"([{"id":2502,"icon":"information",
                         "text":"No changes have been made, so no files have been renamed."}])"}}},
        ContractCase{"Rename refused keeps the dialog open; the final one is refused again",
                     "photos",
                     {},
                     R"([{"do":"pasteNames","text":"a\na\nb"},{"do":"rename"}])",
                     2,
                     {{"/closed", "null"},
                      {"/renames", "null"},
                      {"/messages/0", R"({"id":2501,"icon":"exclamation",
                         "text":"Unable to rename files:\r\n2 files are being renamed to the same name."})"},
                      {"/messages/1/id", "2501"}},
                     "Unable to rename files:\n2 files are being renamed to the same name."},
        ContractCase{"a refused Rename can be fixed by later events",
                     "photos",
                     {},
                     R"([{"do":"pasteNames","text":"a\na\nb"},{"do":"rename"},
                         {"do":"select","rows":[1]},{"do":"resetNames"},{"do":"rename"}])",
                     0,
                     {{"/closed", R"("ok")"},
                      {"/messages/0/id", "2501"},
                      {"/renames/0/to", R"("C:\\Photos\\a.JPG")"},
                      {"/renames/1/to", R"("C:\\Photos\\b.JPG")"}}},
        ContractCase{"chains are renamed in a safe order",
                     "chain",
                     {"--number", "1=renumber:2"},
                     "",
                     0,
                     {{"/renames", R"([{"from":"C:\\N\\f2.txt","to":"C:\\N\\f3.txt"},
                                       {"from":"C:\\N\\f1.txt","to":"C:\\N\\f2.txt"}])"}}},
        ContractCase{"a forbidden character in a field marks every file",
                     "photos",
                     {"-t", "0=a:b"},
                     "",
                     2,
                     {{"/state/fields/0/text", R"("a:b")"},
                      {"/state/rows/0/status", "9"},
                      {"/state/patterns/0/tokens/0/hasInvalidChars", "true"}}},
        ContractCase{"cancel renames nothing",
                     "photos",
                     {"-t", "0=x"},
                     R"([{"do":"cancel"}])",
                     0,
                     {{"/closed", R"("cancel")"}, {"/renames", "null"}}},
        ContractCase{"Change Number remembers its edits for the next field dialog",
                     "photos",
                     {"--number", "1=renumber:5,digits:2"},
                     R"([{"do":"changeNumber","field":1,"number":"noChange","zeros":"noChange"},
                         {"do":"changeNumber","field":1,"number":"renumber"}])",
                     0,
                     {{"/state/patterns/0/tokens/1/startNumber", "5"},
                      {"/state/rows/2/newName", R"("IMG_0011.JPG")"}}},

        // Events the dialog could not receive.
        ContractCase{"field out of range",
                     "photos",
                     {"-t", "5=x"},
                     "",
                     1,
                     {},
                     "multirename: --text 5=x: there is no field 5: the pattern has 3 (0 to 2)"},
        ContractCase{"typing into a button",
                     "photos",
                     {},
                     R"([{"do":"setText","field":1,"text":"9"}])",
                     1,
                     {},
                     "action 0 (\"setText\"): field 1 is a \"#\" field, not a text"},
        ContractCase{"Change Wild on a number field",
                     "photos",
                     {"--wild", "1=upper"},
                     "",
                     1,
                     {},
                     "--wild 1=upper: field 1 is a number field, not a wildcard (*) field"},
        ContractCase{"Change Number on a text field",
                     "photos",
                     {"--number", "0=clear"},
                     "",
                     1,
                     {},
                     "--number 0=clear: field 0 is a text field, not a number (#) field"},
        ContractCase{"disabled check box",
                     "bare",
                     {"-e"},
                     "",
                     1,
                     {},
                     "multirename: --allow-extension-changes: the check box \"Allow Extension "
                     "Changes\" is disabled"},
        ContractCase{"start edit while No Change",
                     "photos",
                     {},
                     R"([{"do":"snapshot"},{"do":"changeNumber","field":1,"start":"5"}])",
                     1,
                     {},
                     "action 1 (\"changeNumber\"): the start edit is disabled unless \"Renumber "
                     "starting from:\" is selected"},
        ContractCase{
            "Leading Zeros while Clear Text",
            "photos",
            {"--number", "1=clear,digits:3"},
            "",
            1,
            {},
            "the Leading Zeros radio buttons are disabled while \"Clear Text\" is selected"},
        ContractCase{"digits edit while No Change",
                     "photos",
                     {},
                     R"([{"do":"changeNumber","field":1,"digits":"2"}])",
                     1,
                     {},
                     "the digits edit is disabled unless \"Make number with\" is selected"},
        ContractCase{"length edit while Truncate is unchecked",
                     "words",
                     {},
                     R"([{"do":"changeWild","field":1,"length":"2"}])",
                     1,
                     {},
                     "the length edit is disabled unless Truncate is checked"},
        ContractCase{"a control set to what it shows is no event",
                     "photos",
                     {},
                     R"([{"do":"changeNumber","field":1,"start":"1","digits":"4"}])",
                     0,
                     {{"/state/rows/0/newName", R"("IMG_0041.JPG")"}}},
        ContractCase{
            "fields are disabled after a paste onto every file",
            "photos",
            {},
            R"([{"do":"pasteNames","text":"a\nb\nc"},{"do":"setText","field":0,"text":"x"}])",
            1,
            {},
            "action 1 (\"setText\"): the fields are disabled"},
        ContractCase{"row out of range",
                     "photos",
                     {},
                     R"([{"do":"select","rows":[3]}])",
                     1,
                     {},
                     "action 0 (\"select\"): there is no row 3: the list has 3 rows"},
        ContractCase{"nothing after the dialog closed",
                     "photos",
                     {},
                     R"([{"do":"cancel"},{"do":"snapshot"}])",
                     1,
                     {},
                     "action 1 (\"snapshot\"): the dialog has already closed with Cancel"},
        ContractCase{"nothing after Rename closed the dialog",
                     "photos",
                     {"-t", "0=x"},
                     R"([{"do":"rename"},{"do":"reset"}])",
                     1,
                     {},
                     "action 1 (\"reset\"): the dialog has already closed with \"Rename\""},
        ContractCase{"malformed script",
                     "photos",
                     {},
                     R"([{"do":"rename"})",
                     1,
                     {},
                     "multirename: --script -: not valid JSON: parse error"}),
    CaseName());

// The simple options refresh the names once after the last of them; the document must
// be the one their actions give as a script, where each action refreshes.
struct SameAsScriptCase {
    const char* what;
    const char* records;
    std::vector<std::string> options;
    const char* input; // standard input of the options' run
    const char* script;
};

class OptionsAsScript : public testing::TestWithParam<SameAsScriptCase> {};

TEST_P(OptionsAsScript, GiveTheScriptsDocument) {
    const SameAsScriptCase& c = GetParam();
    TempFolder tmp;
    const std::string records = tmp.write("records.json", kRecords.at(c.records)).string();
    std::vector<std::string> args = {"--json", "--records", records};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const RunResult byOptions = run(args, c.input);
    const RunResult byScript = run({"--json", "--records", records, "--script", "-"}, c.script);
    ASSERT_TRUE(byOptions.doc.is_object()) << byOptions.err;
    EXPECT_EQ(byOptions.exit, byScript.exit);
    EXPECT_EQ(byOptions.doc, byScript.doc);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OptionsAsScript,
    testing::Values(SameAsScriptCase{"text and renumber",
                                     "photos",
                                     {"-t", "0=Rome_", "--number", "1=renumber:1"},
                                     "",
                                     R"([{"do":"setText","field":0,"text":"Rome_"},
                             {"do":"changeNumber","field":1,"number":"renumber","start":"1"}])"},
                    SameAsScriptCase{
                        "box, wildcard and text",
                        "words",
                        {"-e", "--wild", "1=upper,truncate:2", "-t", "2=.md"},
                        "",
                        R"([{"do":"check","box":"allowExtensionChanges","checked":true},
                             {"do":"changeWild","field":1,"case":"upper","truncate":true,
                              "length":"2"},
                             {"do":"setText","field":2,"text":".md"}])"},
                    SameAsScriptCase{"invalid text corrected later",
                                     "photos",
                                     {"-t", "0=a?", "--number", "1=digits:2", "-t", "0=b"},
                                     "",
                                     R"([{"do":"setText","field":0,"text":"a?"},
                             {"do":"changeNumber","field":1,"zeros":"make","digits":"2"},
                             {"do":"setText","field":0,"text":"b"}])"},
                    SameAsScriptCase{"invalid text left",
                                     "photos",
                                     {"-t", "2=x?"},
                                     "",
                                     R"([{"do":"setText","field":2,"text":"x?"}])"},
                    SameAsScriptCase{"numbers as text, then a paste",
                                     "chain",
                                     {"-n", "-t", "0=g", "--paste", "-"},
                                     "p.txt\nq.txt\n",
                                     R"([{"do":"check","box":"numbersAsText","checked":true},
                             {"do":"setText","field":0,"text":"g"},
                             {"do":"pasteNames","text":"p.txt\nq.txt\n"}])"}),
    CaseName());

#ifndef _WIN32
// A POSIX folder that ignores case, as a records file can say (the Windows build takes
// "windows" rules only, under which every folder ignores case).
INSTANTIATE_TEST_SUITE_P(
    Posix, Contract,
    testing::Values(ContractCase{"a folder ignoring case refuses a name held in another case",
                                 "posix ignoring case",
                                 {"--paste", "-"},
                                 "b\nc\n",
                                 2,
                                 {{"/closed", "null"}, {"/renames", "null"}},
                                 "1 file is being renamed to the same name as an existing file."},
                    ContractCase{"a folder where case counts takes that name",
                                 "posix with case",
                                 {"--paste", "-"},
                                 "b\nc\n",
                                 0,
                                 {{"/closed", R"("ok")"},
                                  {"/renames/0", R"({"from":"/m/a1.txt","to":"/m/b.txt"})"}}}),
    CaseName());
#endif

} // namespace
} // namespace mr::cli::test
