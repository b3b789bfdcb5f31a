// The command line over recorded folders: exit status, a part of standard error and
// values at JSON pointers of the document; a refused run (exit 1) writes no document.
#include "cli_support.h"

#include <gtest/gtest.h>

namespace mr::cli::test {
namespace {

using nlohmann::json;

const json kRecords = json::parse(R"json({
  "photos": {"folders":[{"path":"C:\\Photos\\","entries":[{"name":"IMG_0041.JPG"},
      {"name":"IMG_0042.JPG"},{"name":"IMG_0047.JPG"},{"name":"README"}]}],
    "paths":["C:\\Photos\\IMG_0041.JPG","C:\\Photos\\IMG_0042.JPG","C:\\Photos\\IMG_0047.JPG"]},
  "words": {"folders":[{"path":"C:\\Docs\\","entries":[{"name":"apple.txt"},{"name":"kiwi.txt"},
      {"name":"plum.txt"}]}], "paths":["C:\\Docs\\apple.txt","C:\\Docs\\kiwi.txt","C:\\Docs\\plum.txt"]},
  "fat": {"rules":"posix","folders":[{"path":"/fat/","caseInsensitive":true,"entries":[
      {"name":"Sub","directory":true}]},{"path":"/fat/Sub/","caseInsensitive":true,"entries":[
      {"name":"a.txt"},{"name":"b.txt"}]}], "paths":["/fat/Sub/a.txt","/fat/SUB/b.txt"]}
})json");

const char* const kCases = R"json([
{"what":"derived fields and check boxes","records":"photos","expect":{
 "/state/fields":[{"text":"IMG_","isButton":false},{"text":"#","isButton":true},{"text":"","isButton":false}],
 "/state/allowExtensionChangesEnabled":true,"/state/numbersAsTextEnabled":true,"/state/currentPatternIndex":0,
 "/state/columns":["Old Name","New Name"],"/state/rows/2/status":3,"/state/rows/2/stateImage":2,
 "/state/patterns/0/tokens/1/minimum":41,"/state/rows/0/takesPart":true,"/state/summary":{"status":2,"anyChange":false,"problems":[0,0,0,0,0,0]}}},
{"what":"typing into a text field renames every file","records":"photos","args":["-t","0=Rome_"],
 "expect":{"/state/rows/0/status":2,"/state/rows/0/stateImage":1,"/closed":"ok","/messages":[],
 "/renames/0":{"from":"C:\\Photos\\IMG_0041.JPG","to":"C:\\Photos\\Rome_0041.JPG"}}},
{"what":"typed text carries over to the variant with the extension","records":"photos",
 "script":[{"do":"setText","field":0,"text":"Rome_"},
 {"do":"check","box":"allowExtensionChanges","checked":true},{"do":"snapshot"}],
 "expect":{"/snapshots/0/currentPatternIndex":1,"/snapshots/0/fields/0/text":"Rome_",
 "/snapshots/0/rows/1/newName":"Rome_0042.JPG"}},
{"what":"renumber from 1 with three digits keeps the gaps","records":"photos","args":["--number",
 "1=renumber:1,digits:3"],"expect":{"/state/rows/1/newName":"IMG_002.JPG","/state/rows/2/newName":"IMG_007.JPG"}},
{"what":"-e and zeros:remove reach their controls","records":"photos","args":["-e","--number",
 "1=zeros:remove"],"expect":{"/state/currentPatternIndex":1,"/state/rows/0/newName":"IMG_41.JPG"}},
{"what":"Change Wild truncates, its edit read by the leading digits","records":"words",
 "script":[{"do":"changeWild","field":1,"truncate":true,"length":"2x9"}],"expect":{"/state/rows/2/newName":"pl.txt"}},
{"what":"copy puts every new name on a line","records":"photos",
 "script":[{"do":"copyNames","selectedOnly":false}],
 "expect":{"/clipboard":"IMG_0041.JPG\nIMG_0042.JPG\nIMG_0047.JPG\n",
 "/messages/0":{"id":2518,"icon":"information","text":"The filenames have been copied to the clipboard."}}},
{"what":"paste keeps each file's extension and disables editing","records":"photos",
 "script":[{"do":"pasteNames","text":"x.doc\r\n\n y \nz"}],"expect":{"/state/rows/0/newName":"x.JPG",
 "/state/rows/2/pastedName":true,"/state/editingEnabled":false,"/renames/1/to":"C:\\Photos\\y.JPG"}},
{"what":"a refused paste stops the run: a forbidden character on any line","records":"photos",
 "script":[{"do":"pasteNames","text":"a\nb\n\nc:"},{"do":"snapshot"}],"exit":1,
 "err":"The text on the clipboard cannot be used to name the files, since it contains one of these characters which are not allowed in filenames:\n\\ / : * ? \" < > |\nmultirename: action 0 (\"pasteNames\"): the paste was refused; nothing was renamed"},
{"what":"a refused paste stops the run: lines and files differ in number","records":"photos",
 "script":[{"do":"select","rows":[0,2]},{"do":"pasteNames","selectedOnly":true,"text":"a\nb\nc"}],"exit":1,
 "err":"The text on the clipboard must contain one line for each filename.\n\nNumber of files to rename: 2\nNumber of lines on clipboard: 3\n"},
{"what":"paste onto every row, then Reset Name(s) on one","records":"photos",
 "script":[{"do":"pasteNames","text":"a\nb\nc"},{"do":"select","rows":[1]},{"do":"resetNames"}],
 "expect":{"/state/rows/0/pastedName":true,"/state/rows/1/newName":"IMG_0042.JPG","/state/editingEnabled":true}},
{"what":"removing rows renumbers the list; removing all is refused","records":"photos","args":[
 "--number","1=renumber:1"],"script":[{"do":"select","rows":[0]},{"do":"removeFiles"},
 {"do":"selectAll"},{"do":"removeFiles"}],"expect":{"/state/rows/0/name":"IMG_0042.JPG",
 "/state/rows/0/listPosition":0,"/state/rows/1/newName":"IMG_0006.JPG","/state/rows/1/name":"IMG_0047.JPG",
 "/messages/0":{"id":2521,"icon":"exclamation","text":"You cannot remove all the files from the list."}}},
{"what":"Rename with nothing to change closes with the information","records":"words","expect":{"/closed":"ok",
 "/messages":[{"id":2502,"icon":"information","text":"No changes have been made, so no files have been renamed."}]}},
{"what":"Rename refused keeps the dialog open, the final one is refused again","records":"photos",
 "script":[{"do":"pasteNames","text":"a\na\nb"},{"do":"rename"}],"exit":2,
 "err":"Unable to rename files:\n2 files are being renamed to the same name.",
 "expect":{"/closed":null,"/renames":null,"/messages/1/id":2501,
 "/messages/0":{"id":2501,"icon":"exclamation","text":"Unable to rename files:\r\n2 files are being renamed to the same name."}}},
{"what":"a folder named in two spellings inside one that ignores case is one folder","records":"fat","posix":true,
 "expect":{"/state/columns":["Old Name","New Name"],"/state/rows/1/name":"b.txt"}},
{"what":"no files named","exit":1,"err":"multirename: name the files to rename"},
{"what":"field out of range","records":"photos","args":["-t","5=x"],"exit":1,
 "err":"multirename: --text 5=x: there is no field 5: the pattern has 3 (0 to 2)"},
{"what":"unknown number word","records":"photos","args":["--number","1=pad"],"exit":1,
 "err":"unknown word \"pad\" (known: clear, renumber[:START], zeros:remove, zeros:keep, digits:N)"},
{"what":"Leading Zeros while Clear Text","records":"photos","args":["--number","1=clear,digits:3"],
 "exit":1,"err":"the Leading Zeros radio buttons are disabled while \"Clear Text\" is selected"},
{"what":"malformed script","records":"photos","args":["--script","-"],
 "stdin":"[{\"do\":\"rename\"}","exit":1,
 "err":"multirename: --script -: not valid JSON: parse error"},
{"what":"unknown action","records":"photos","script":[{"do":"rename"},{"do":"undo"}],"exit":1,
 "err":"action 1 (\"undo\"): unknown action; known are \"check\", \"setText\", "},
{"what":"an action after the dialog closed","records":"photos","script":[{"do":"cancel"},{"do":"snapshot"}],
 "exit":1,"err":"multirename: action 1 (\"snapshot\"): the dialog has already closed with Cancel"},
{"what":"a field number too large for a script","records":"photos",
 "script":[{"do":"setText","field":99999999999999999999,"text":"x"}],"exit":1,
 "err":"action 0 (\"setText\"): \"field\" is too large"},
{"what":"a field number too large for an option","records":"photos","args":["-t","99999999999999999999=x"],
 "exit":1,"err":"multirename: --text 99999999999999999999=x: the field number 99999999999999999999 is too large"}
])json";

// "script" goes as --script on standard input, else "stdin" (text, or JSON written out).
RunResult runCase(const json& c) {
    TempFolder tmp;
    std::vector<std::string> args;
    if (c.contains("records")) {
        const json& records = kRecords.at(c["records"].get<std::string>());
        args = {"--json", "--records", tmp.write("records.json", records.dump()).string()};
    }
    for (const auto& a : c.value("args", json::array()))
        args.push_back(a.get<std::string>());
    const json stdinJson = c.contains("script") ? c["script"] : c.value("stdin", json(""));
    const std::string input =
        stdinJson.is_string() ? stdinJson.get<std::string>() : stdinJson.dump();
    if (c.contains("script"))
        args.insert(args.end(), {"--script", "-"});
    return run(args, input);
}

class Contract : public testing::TestWithParam<json> {};

TEST_P(Contract, DocumentHoldsTheDialogsStateOrTheRunIsRefused) {
    const json& c = GetParam();
#ifdef _WIN32
    if (c.value("posix", false))
        GTEST_SKIP() << "the Windows build renames by \"windows\" rules only";
#endif
    const RunResult r = runCase(c);
    EXPECT_EQ(r.exit, c.value("exit", 0)) << r.err;
    EXPECT_NE(r.err.find(c.value("err", "")), std::string::npos) << r.err;
    EXPECT_TRUE(c.value("exit", 0) != 1 || r.out.empty()) << r.out;
    const json expect = c.value("expect", json::object());
    for (const auto& [pointer, value] : expect.items()) {
        const json::json_pointer at(pointer);
        ASSERT_TRUE(r.doc.is_object() && r.doc.contains(at)) << pointer << "\n" << r.out;
        EXPECT_EQ(r.doc.at(at), value) << pointer;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Contract, testing::ValuesIn(cases(kCases)), CaseName());

TEST(HelpAndVersion, ExitZero) {
    EXPECT_EQ(run({"--help"}).exit, 0);
    EXPECT_EQ(run({"--version"}).exit, 0);
}

} // namespace
} // namespace mr::cli::test
