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
  "bare": {"folders":[{"path":"C:\\Bin\\","entries":[{"name":"make"},{"name":"test"}]}],
    "paths":["C:\\Bin\\make","C:\\Bin\\test"]},
  "chain": {"folders":[{"path":"C:\\N\\","entries":[{"name":"f1.txt"},{"name":"f2.txt"}]}],
    "paths":["C:\\N\\f1.txt","C:\\N\\f2.txt"]},
  "two folders": {"workingDirectory":"C:\\A\\","folders":[
      {"path":"C:\\A\\","entries":[{"name":"x1.txt"},{"name":"x2.txt"}]},
      {"path":"C:\\B","entries":[{"name":"x3.txt"}]}],
    "paths":["C:\\Z\\x4.txt","c:\\b\\x3.txt","x3.txt","C:\\A\\x1.txt","x2.txt"]},
  "posix ignoring case": {"rules":"posix","folders":[{"path":"/m/","caseInsensitive":true,
      "entries":[{"name":"a1.txt"},{"name":"a2.txt"},{"name":"B.txt"}]}],
    "paths":["/m/a1.txt","/m/a2.txt"]},
  "posix with case": {"rules":"posix","folders":[{"path":"/m/","caseInsensitive":false,
      "entries":[{"name":"a1.txt"},{"name":"a2.txt"},{"name":"B.txt"}]},{"path":"/M/","entries":[]}],
    "paths":["/m/a1.txt","/m/a2.txt"]}
})json");

const char* const kCases = R"json([
{"what":"derived fields and check boxes","records":"photos",
 "expect":{"/state/currentPatternIndex":0,
 "/state/fields":[{"text":"IMG_","isButton":false},{"text":"#","isButton":true},{"text":"","isButton":false}],
 "/state/allowExtensionChangesEnabled":true,"/state/numbersAsTextEnabled":true,
 "/state/columns":["Old Name","New Name"],"/state/rows/2/name":"IMG_0047.JPG",
 "/state/rows/2/status":3,"/state/rows/2/stateImage":2,"/state/patterns/0/tokens/1/kind":"Number",
 "/state/patterns/0/tokens/1/minimum":41,
 "/state/summary":{"status":2,"anyChange":false,"problems":[0,0,0,0,0,0]}}},
{"what":"rows from two folders show the Folder column","records":"two folders",
 "expect":{"/state/columns":["Old Name","New Name","Folder"],"/state/rows/0/folder":"C:\\A\\",
 "/state/rows/2/folder":"c:\\b\\","/state/rows/2/folderPosition":0,"/state/rows/3":"absent"}},
{"what":"a name without extension disables Allow Extension Changes, unchecking it is no click",
 "records":"bare","script":[{"do":"check","box":"allowExtensionChanges","checked":false}],
 "expect":{"/state/allowExtensionChangesEnabled":false,"/state/allowExtensionChanges":false}},

{"what":"typing into a text field renames every file","records":"photos","args":["-t","0=Rome_"],
 "expect":{"/state/rows/0/newName":"Rome_0041.JPG","/state/rows/0/status":2,
 "/state/rows/0/stateImage":1,"/closed":"ok","/messages":[],
 "/renames/0":{"from":"C:\\Photos\\IMG_0041.JPG","to":"C:\\Photos\\Rome_0041.JPG"},
 "/renames/2/to":"C:\\Photos\\Rome_0047.JPG"}},
{"what":"typed text carries over to the variant with the extension","records":"photos",
 "script":[{"do":"setText","field":0,"text":"Rome_"},
 {"do":"check","box":"allowExtensionChanges","checked":true},{"do":"snapshot"}],
 "expect":{"/snapshots/0/currentPatternIndex":1,"/snapshots/0/fields/0/text":"Rome_",
 "/snapshots/0/rows/1/newName":"Rome_0042.JPG"}},
{"what":"numbers as text turn the number field into text","records":"photos","args":["-n"],
 "expect":{"/state/currentPatternIndex":2,"/state/numbersAsText":true}},
{"what":"renumber from 1 with three digits keeps the gaps","records":"photos","args":["--number",
 "1=renumber:1,digits:3"],"expect":{"/state/rows/0/newName":"IMG_001.JPG",
 "/state/rows/1/newName":"IMG_002.JPG","/state/rows/2/newName":"IMG_007.JPG",
 "/state/patterns/0/tokens/1/renumber":true,"/state/patterns/0/tokens/1/startNumber":1,
 "/state/patterns/0/tokens/1/zeroMode":1,"/state/patterns/0/tokens/1/length":3}},
{"what":"clear the number","records":"photos","args":["-t","0=P","--number","1=clear"],"exit":2,
 "err":"Unable to rename files:","expect":{"/state/rows/0/newName":"P.JPG","/state/rows/0/status":4,
 "/state/summary/problems":[3,0,0,0,0,0],"/renames":null}},
{"what":"Change Number remembers its edits for the next field dialog","records":"photos",
 "args":["--number","1=renumber:5,digits:2"],
 "script":[{"do":"changeNumber","field":1,"number":"noChange","zeros":"noChange"},
 {"do":"changeNumber","field":1,"number":"renumber"}],
 "expect":{"/state/patterns/0/tokens/1/startNumber":5,"/state/rows/2/newName":"IMG_0011.JPG"}},
{"what":"a disabled control set to what it shows is no event","records":"photos",
 "script":[{"do":"changeNumber","field":1,"start":"1","digits":"4"}],
 "expect":{"/state/rows/0/newName":"IMG_0041.JPG"}},
{"what":"Change Wild upper-cases the wildcard","records":"words","args":["--wild","1=upper"],
 "expect":{"/state/rows/0/newName":"APPLE.txt","/state/patterns/0/tokens/1/caseMode":1}},
{"what":"Change Wild truncates, its edit read by the leading digits","records":"words",
 "script":[{"do":"changeWild","field":1,"truncate":true,"length":"2x9"}],
 "expect":{"/state/rows/2/newName":"pl.txt","/state/patterns/0/tokens/1/truncate":true,
 "/state/patterns/0/tokens/1/length":2}},

{"what":"copy puts every new name on a line","records":"photos",
 "script":[{"do":"copyNames","selectedOnly":false}],
 "expect":{"/clipboard":"IMG_0041.JPG\nIMG_0042.JPG\nIMG_0047.JPG\n",
 "/messages/0":{"id":2518,"icon":"information","text":"The filenames have been copied to the clipboard."}}},
 
{"what":"copying nothing selected leaves the clipboard without text","records":"photos",
 "script":[{"do":"pasteNames","text":"q\nr\ns"},{"do":"copyNames","selectedOnly":true}],
 "expect":{"/clipboard":null,"/messages/0/id":2518}},
{"what":"paste keeps each file's extension and disables editing","records":"photos",
 "script":[{"do":"pasteNames","text":"x.doc\r\n\n y \nz"}],
 "expect":{"/state/rows/0/newName":"x.JPG","/state/rows/1/newName":"y.JPG",
 "/state/rows/2/pastedName":true,"/state/rows/2/bold":true,"/state/editingEnabled":false,
 "/renames/1/to":"C:\\Photos\\y.JPG"}},
{"what":"paste from a file with extension changes","records":"words","args":["-e","--paste","-"],
 "stdin":"one.md\ntwo.md\nthree.md\n","expect":{"/state/rows/0/newName":"one.md",
 "/state/rows/2/newName":"three.md"}},
{"what":"paste refused for a forbidden character on any line","records":"photos",
 "script":[{"do":"pasteNames","text":"a\nb\n\nc:"}],
 "expect":{"/messages/0":{"id":2519,"icon":"exclamation","text":"The text on the clipboard cannot be used to name the files, since it contains one of these characters which are not allowed in filenames:\n\\ / : * ? \" < > |"},
 "/state/rows/0/pastedName":false,"/state/editingEnabled":true}},
{"what":"paste refused for a line over 255 characters","records":"photos",
 "script":[{"do":"pasteNames","text":"a\n{x256}\nb"}],"expect":{"/messages/0/id":2522,
 "/state/rows/1/pastedName":false}},
{"what":"paste refused when lines and files differ in number","records":"photos",
 "script":[{"do":"select","rows":[0,2]},{"do":"pasteNames","selectedOnly":true,"text":"a\nb\nc"}],
 "expect":{"/messages/0/id":2520,
 "/messages/0/text":"The text on the clipboard must contain one line for each filename.\n\nNumber of files to rename: 2\nNumber of lines on clipboard: 3"}},
 
{"what":"paste onto every row, then Reset Name(s) on one","records":"photos",
 "script":[{"do":"pasteNames","text":"a\nb\nc"},{"do":"select","rows":[1]},{"do":"resetNames"}],
 "expect":{"/state/rows/0/pastedName":true,"/state/rows/1/pastedName":false,
 "/state/rows/1/newName":"IMG_0042.JPG","/state/rows/1/selected":true,
 "/state/editingEnabled":true}},
{"what":"Reset Name(s) with nothing selected keeps the pasted names","records":"photos",
 "script":[{"do":"pasteNames","text":"a\nb\nc"},{"do":"resetNames"}],
 "expect":{"/state/rows/1/pastedName":true,"/state/editingEnabled":false}},
{"what":"Reset drops pasted names and typed text","records":"photos","args":["-t","0=Rome_"],
 "script":[{"do":"pasteNames","text":"a\nb\nc"},{"do":"reset"}],
 "expect":{"/state/rows/0/newName":"IMG_0041.JPG","/state/rows/0/pastedName":false,
 "/state/fields/0/text":"IMG_","/state/editingEnabled":true,"/closed":"ok","/messages/0/id":2502}},

{"what":"removing every row is refused","records":"photos","script":[{"do":"selectAll"},
 {"do":"removeFiles"}],
 "expect":{"/messages/0":{"id":2521,"icon":"exclamation","text":"You cannot remove all the files from the list."},
 "/state/rows/2/name":"IMG_0047.JPG"}},
{"what":"removing rows renumbers the list and the minimums","records":"photos","args":["--number",
 "1=renumber:1"],"script":[{"do":"select","rows":[0]},{"do":"removeFiles"}],
 "expect":{"/state/rows/0/name":"IMG_0042.JPG","/state/rows/0/listPosition":0,
 "/state/rows/0/newName":"IMG_0001.JPG","/state/rows/1/newName":"IMG_0006.JPG"}},

{"what":"Rename with nothing to change closes with the information","records":"words",
 "expect":{"/closed":"ok","/renames":null,
 "/messages":[{"id":2502,"icon":"information","text":"No changes have been made, so no files have been renamed."}]}},
 
{"what":"Rename refused keeps the dialog open, the final one is refused again","records":"photos",
 "script":[{"do":"pasteNames","text":"a\na\nb"},{"do":"rename"}],"exit":2,
 "err":"Unable to rename files:\n2 files are being renamed to the same name.",
 "expect":{"/closed":null,"/renames":null,"/messages/1/id":2501,
 "/messages/0":{"id":2501,"icon":"exclamation","text":"Unable to rename files:\r\n2 files are being renamed to the same name."}}},
 
{"what":"a refused Rename can be fixed by later events","records":"photos",
 "script":[{"do":"pasteNames","text":"a\na\nb"},{"do":"rename"},{"do":"select","rows":[1]},
 {"do":"resetNames"},{"do":"rename"}],"expect":{"/closed":"ok","/messages/0/id":2501,
 "/renames/0/to":"C:\\Photos\\a.JPG","/renames/1/to":"C:\\Photos\\b.JPG"}},
{"what":"chains are renamed in a safe order","records":"chain","args":["--number","1=renumber:2"],
 "expect":{"/renames":[{"from":"C:\\N\\f2.txt","to":"C:\\N\\f3.txt"},{"from":"C:\\N\\f1.txt","to":"C:\\N\\f2.txt"}]}},
 
{"what":"a forbidden character in a field marks every file","records":"photos","args":["-t",
 "0=a:b"],"exit":2,"expect":{"/state/fields/0/text":"a:b","/state/rows/0/status":9,
 "/state/patterns/0/tokens/0/hasInvalidChars":true}},
{"what":"cancel renames nothing","records":"photos","args":["-t","0=x"],"script":[{"do":"cancel"}],
 "expect":{"/closed":"cancel","/renames":null}},

{"what":"no files named","exit":1,"err":"multirename: name the files to rename"},
{"what":"standard input read twice","args":["--paste","-","--script","-","a"],"exit":1,
 "err":"multirename: only one of --paste, --script and --records can read standard input"},
{"what":"text option without a field","records":"photos","args":["-t","x"],"exit":1,
 "err":"multirename: --text x: expected FIELD=VALUE"},
{"what":"field out of range","records":"photos","args":["-t","5=x"],"exit":1,
 "err":"multirename: --text 5=x: there is no field 5: the pattern has 3 (0 to 2)"},
{"what":"Change Wild on a number field","records":"photos","args":["--wild","1=upper"],"exit":1,
 "err":"--wild 1=upper: field 1 is a number field, not a wildcard (*) field"},
{"what":"number words that exclude each other","records":"photos","args":["--number",
 "1=digits:3,zeros:remove"],"exit":1,
 "err":"--number 1=digits:3,zeros:remove: choose one of zeros:remove, zeros:keep and digits:N"},
{"what":"unknown number word","records":"photos","args":["--number","1=pad"],"exit":1,
 "err":"unknown word \"pad\" (known: clear, renumber[:START], zeros:remove, zeros:keep, digits:N)"},
{"what":"unknown wild word","records":"words","args":["--wild","1=title"],"exit":1,
 "err":"unknown word \"title\" (known: truncate:N, upper, lower, keepcase)"},
{"what":"disabled check box","records":"bare","args":["-e"],"exit":1,
 "err":"multirename: --allow-extension-changes: the check box \"Allow Extension Changes\" is disabled"},
 
{"what":"start edit while No Change","records":"photos","script":[{"do":"snapshot"},
 {"do":"changeNumber","field":1,"start":"5"}],"exit":1,
 "err":"action 1 (\"changeNumber\"): the start edit is disabled unless \"Renumber starting from:\" is selected"},
 
{"what":"Leading Zeros while Clear Text","records":"photos","args":["--number","1=clear,digits:3"],
 "exit":1,"err":"the Leading Zeros radio buttons are disabled while \"Clear Text\" is selected"},
{"what":"length edit while Truncate is unchecked","records":"words",
 "script":[{"do":"changeWild","field":1,"length":"2"}],"exit":1,
 "err":"the length edit is disabled unless Truncate is checked"},
{"what":"typing into a button","records":"photos","script":[{"do":"setText","field":1,"text":"9"}],
 "exit":1,"err":"action 0 (\"setText\"): field 1 is a \"#\" field, not a text"},
{"what":"fields are disabled after a paste onto every file","records":"photos",
 "script":[{"do":"pasteNames","text":"a\nb\nc"},{"do":"setText","field":0,"text":"x"}],"exit":1,
 "err":"action 1 (\"setText\"): the fields are disabled"},
{"what":"row out of range","records":"photos","script":[{"do":"select","rows":[3]}],"exit":1,
 "err":"action 0 (\"select\"): there is no row 3: the list has 3 rows"},
{"what":"nothing after the dialog closed","records":"photos","script":[{"do":"cancel"},
 {"do":"snapshot"}],"exit":1,
 "err":"action 1 (\"snapshot\"): the dialog has already closed with Cancel"},

{"what":"malformed script","records":"photos","args":["--script","-"],
 "stdin":"[{\"do\":\"rename\"}","exit":1,
 "err":"multirename: --script -: not valid JSON: parse error"},
{"what":"script nested too deep","records":"photos","args":["--script","-"],"stdin":"{deep}",
 "exit":1,"err":"not valid JSON: nested more than 64 levels deep"},
{"what":"missing do","records":"photos","script":[{"field":1}],"exit":1,
 "err":"action 0: \"do\" must name the action, one of \"check\", \"setText\", "},
{"what":"unknown action","records":"photos","script":[{"do":"rename"},{"do":"undo"}],"exit":1,
 "err":"action 1 (\"undo\"): unknown action; known are \"check\", \"setText\", "},
{"what":"misspelt member","records":"photos","script":[{"do":"setText","feild":0,"text":"x"}],
 "exit":1,"err":"action 0 (\"setText\"): unknown member \"feild\""},
{"what":"text missing","records":"photos","script":[{"do":"setText","field":0}],"exit":1,
 "err":"action 0 (\"setText\"): \"text\" is missing"},

{"what":"records not an object","args":["--records","-"],"stdin":[],"exit":1,
 "err":"multirename: --records -: must be a JSON object with \"folders\" and \"paths\""},
{"what":"unknown rules","args":["--records","-"],"stdin":{"rules":"mac","paths":[]},"exit":1,
 "err":"\"rules\" must be \"windows\" or \"posix\""},
{"what":"unknown records member","args":["--records","-"],"stdin":{"path":[],"paths":[]},"exit":1,
 "err":"records: unknown member \"path\""},
{"what":"entry with a negative size","args":["--records","-"],
 "stdin":{"folders":[{"path":"C:\\","entries":[{"name":"a","size":-1}]}],"paths":[]},"exit":1,
 "err":"folders[0].entries[0]: \"size\" must be a whole number from 0 up"},
{"what":"same folder twice in another case","args":["--records","-"],
 "stdin":{"folders":[{"path":"C:\\A\\","entries":[]},{"path":"c:\\a","entries":[]}],"paths":[]},
 "exit":1,"err":"folders[1]: the folder c:\\a\\ is listed twice"}
])json";

// Case folding per POSIX folder (the Windows build takes "windows" rules only).
const char* const kPosixCases = R"json([
{"what":"a folder ignoring case refuses a name held in another case",
 "records":"posix ignoring case","args":["--paste","-"],"stdin":"b\nc\n","exit":2,
 "err":"1 file is being renamed to the same name as an existing file.","expect":{"/closed":null,
 "/renames":null}},
{"what":"a folder where case counts takes that name","records":"posix with case","args":["--paste",
 "-"],"stdin":"b\nc\n","expect":{"/closed":"ok","/renames/0":{"from":"/m/a1.txt","to":"/m/b.txt"}}}
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
    std::string input = stdinJson.is_string() ? stdinJson.get<std::string>() : stdinJson.dump();
    if (c.contains("script"))
        args.insert(args.end(), {"--script", "-"});
    input = replaced(input, "{x256}", std::string(256, 'x'));
    input = replaced(input, "{deep}", std::string(70, '[') + std::string(70, ']'));
    return run(args, input);
}

class Contract : public testing::TestWithParam<json> {};

TEST_P(Contract, DocumentHoldsTheDialogsStateOrTheRunIsRefused) {
    const json& c = GetParam();
    const RunResult r = runCase(c);
    EXPECT_EQ(r.exit, c.value("exit", 0)) << r.err;
    EXPECT_NE(r.err.find(c.value("err", "")), std::string::npos) << r.err;
    EXPECT_TRUE(c.value("exit", 0) != 1 || r.out.empty()) << r.out;
    const json expect = c.value("expect", json::object());
    for (const auto& [pointer, value] : expect.items()) {
        const json::json_pointer at(pointer);
        if (value == "absent") {
            EXPECT_FALSE(r.doc.contains(at)) << pointer;
            continue;
        }
        ASSERT_TRUE(r.doc.is_object() && r.doc.contains(at)) << pointer << "\n" << r.out;
        EXPECT_EQ(r.doc.at(at), value) << pointer;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Contract, testing::ValuesIn(cases(kCases)), CaseName());
#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(Posix, Contract, testing::ValuesIn(cases(kPosixCases)), CaseName());
#endif

// Options refresh the names once after the last; a script refreshes after each action.
const char* const kSameAsScript = R"json([
{"what":"text and renumber","records":"photos","args":["-t","0=Rome_","--number","1=renumber:1"],
 "script":[{"do":"setText","field":0,"text":"Rome_"},
 {"do":"changeNumber","field":1,"number":"renumber","start":"1"}]},
{"what":"leading zeros removed","records":"photos","args":["--number","1=zeros:remove"],
 "script":[{"do":"changeNumber","field":1,"zeros":"remove"}]},
{"what":"box, wildcard and text","records":"words","args":["-e","--wild","1=upper,truncate:2","-t",
 "2=.md"],"script":[{"do":"check","box":"allowExtensionChanges","checked":true},
 {"do":"changeWild","field":1,"case":"upper","truncate":true,"length":"2"},
 {"do":"setText","field":2,"text":".md"}]},
{"what":"invalid text corrected later","records":"photos","args":["-t","0=a?","--number",
 "1=digits:2","-t","0=b"],"script":[{"do":"setText","field":0,"text":"a?"},
 {"do":"changeNumber","field":1,"zeros":"make","digits":"2"},
 {"do":"setText","field":0,"text":"b"}]},
{"what":"numbers as text, then a paste","records":"chain","args":["-n","-t","0=g","--paste","-"],
 "stdin":"p.txt\nq.txt\n","script":[{"do":"check","box":"numbersAsText","checked":true},
 {"do":"setText","field":0,"text":"g"},{"do":"pasteNames","text":"p.txt\nq.txt\n"}]}
])json";

class OptionsAsScript : public testing::TestWithParam<json> {};

TEST_P(OptionsAsScript, GiveTheScriptsDocument) {
    json options = GetParam();
    options.erase("script");
    const RunResult byOptions = runCase(options);
    const RunResult byScript =
        runCase({{"records", GetParam()["records"]}, {"script", GetParam()["script"]}});
    ASSERT_TRUE(byOptions.doc.is_object()) << byOptions.err;
    EXPECT_EQ(byOptions.exit, byScript.exit);
    EXPECT_EQ(byOptions.doc, byScript.doc);
}

INSTANTIATE_TEST_SUITE_P(Cases, OptionsAsScript, testing::ValuesIn(cases(kSameAsScript)),
                         CaseName());

TEST(HelpAndVersion, ExitZero) {
    EXPECT_EQ(run({"--help"}).exit, 0);
    EXPECT_EQ(run({"--version"}).exit, 0);
}

} // namespace
} // namespace mr::cli::test
