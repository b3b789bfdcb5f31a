// The quick records reader reads as the document reader does, or leaves the input to it.
#include "cli/records_input.h"
#include "cli/records_scan.h"
#include "text/utf8.h"

#include "cli_support.h"

#include <gtest/gtest.h>

#include <sstream>

namespace mr::cli {
namespace {

// Everything a run takes from the records, as one comparable text.
std::string describe(const RecordsInput& in) {
    std::ostringstream out;
    out << in.posixRules << char(in.rules.separator) << in.rules.foldCase << '|'
        << (in.workingDirectory ? toUtf8(*in.workingDirectory) : "-") << '|';
    for (const auto& [key, listing] : in.folders) {
        out << toUtf8(key) << '{' << listing.caseInsensitive;
        for (const auto& e : listing.entries)
            out << '[' << toUtf8(e.name) << ',' << e.isDirectory << ',' << e.lastWriteTime << ','
                << e.creationTime << ',' << e.size << ']';
        out << '}';
    }
    for (const auto& p : in.paths)
        out << '|' << toUtf8(p);
    return out.str();
}

struct ScanCase {
    const char* what;
    std::string json;
    bool quick; // the quick reader takes it
};

class QuickRecords : public testing::TestWithParam<ScanCase> {};

TEST_P(QuickRecords, AgreesWithTheDocumentReaderOrLeavesItToIt) {
    const ScanCase& c = GetParam();
    const auto quick = scanRecords(c.json);
    EXPECT_EQ(quick.has_value(), c.quick);
    std::string error;
    const auto tree = readRecordsTree(c.json, error);
    if (quick) {
        ASSERT_TRUE(tree) << error;
        EXPECT_EQ(describe(*quick), describe(*tree));
    }
    // Whoever reads it, readRecords answers as the document reader does.
    std::string error2;
    const auto either = readRecords(c.json, error2);
    EXPECT_EQ(error2, error);
    EXPECT_EQ(either.has_value(), tree.has_value());
}

// Records of one entry with the given members.
std::string entry(const std::string& members) {
    return R"({"folders":[{"path":"C:\\","entries":[{)" + members + R"(}]}],"paths":[]})";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QuickRecords,
    testing::Values(
        ScanCase{"every member, rules after the folders",
                 R"( {"folders":[{"path":"/P","caseInsensitive":true,"entries":[
                     {"name":"b.jpg","directory":true,"lastWriteTime":1,"creationTime":2,
                      "size":18446744073709551615},{"name":"A.jpg"}]},
                     {"path":"/Q/","caseInsensitive":false,"entries":[]}],
                     "workingDirectory":"/P/","paths":["/P/A.jpg","b.jpg"],
                     "rules":"posix"} )",
                 true},
        ScanCase{"windows keys fold case",
                 R"({"folders":[{"path":"C:\\P","entries":[{"name":"a.jpg"}]}],"paths":[]})", true},
        ScanCase{"escapes and UTF-8 in names",
                 entry("\"name\":\"q\\\"b\\\\s\\/\\n\\t\\b\\f\\r caf\xc3\xa9 \xf0\x9f\x93\xb7\""),
                 true},
        ScanCase{"a \\u escape", R"({"paths":["a\u00e9"]})", false},
        ScanCase{"a member named twice", R"({"paths":[],"paths":["a"]})", false},
        ScanCase{"size past 64 bits", entry(R"("name":"a","size":18446744073709551616)"), false},
        ScanCase{"not UTF-8", "{\"paths\":[\"a\xff\"]}", false},
        ScanCase{"text after the document", R"({"paths":[]} x)", false}),
    test::CaseName());

} // namespace
} // namespace mr::cli
