// multirename on real folders: what changes on disk, and what never does; the exit status
// and the messages that say why.
#include "cli_support.h"
#include "support/disk_state.h"
#include "support/scoped_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mr::cli::test {
namespace {

using mr::test::Folder;
using mr::test::folderOf;
using mr::test::readFolder;
using mr::test::words;
namespace fs = std::filesystem;

#ifndef _WIN32
const mr::test::JournalHome kJournals;
#endif

struct RealCase {
    const char* what;
    std::string files;
    std::string args; // "@" stands for the folder, with its separator
    int exit;
    std::string after;      // "": nothing changed
    std::string err = "";   // a part of standard error
    std::string input = ""; // "@" expanded too
    std::string out = "";   // a part of standard output; "!TEXT": TEXT is not in it
    RunOptions options = {};
    std::string editor = ""; // a shell script standing in for $VISUAL; its file is "$f"
};

#ifndef _WIN32
// $VISUAL for one run: a script of the test's own, and temporary files in a folder of
// the test's own (a space and a quote in its path, for the shell).
class StandInEditor {
public:
    StandInEditor(const std::string& script, const std::string& editorArgs = "")
        : script_(dir_.write("editor.sh", "for f; do :; done\n" + script + "\n")),
          temporary_(dir_.sub("temporary 'files'")),
          visual_("VISUAL", ("sh " + script_.string() + editorArgs).c_str()),
          editor_("EDITOR", "false"), tmpdir_("TMPDIR", temporary_.c_str()) {}
    const TempFolder& dir() const { return dir_; }
    const std::string& temporary() const { return temporary_; }

private:
    TempFolder dir_;
    std::filesystem::path script_;
    std::string temporary_;
    mr::test::ScopedEnv visual_, editor_, tmpdir_;
};
#endif

// 15 folders of 254 characters and a long name: a full path over 4,096 bytes, which
// only a path relative to a folder on the way reaches.
std::string deep() {
    std::string path;
    for (int i = 0; i < 15; ++i)
        path += std::string(254, char('a' + i)) + "/";
    return path + std::string(240, 'n');
}

void writeFile(const TempFolder& tmp, const std::string& name, const std::string& content) {
#ifndef _WIN32
    if (const size_t cut = name.rfind('/'); cut != std::string::npos && name.size() > 4000) {
        fs::create_directories(tmp.path() / name.substr(0, cut));
        const int dir = ::open((tmp.path() / name.substr(0, cut)).c_str(), O_DIRECTORY);
        const int fd = ::openat(dir, name.substr(cut + 1).c_str(), O_CREAT | O_WRONLY, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, content.data(), content.size()), ssize_t(content.size()));
        ::close(fd);
        ::close(dir);
        return;
    }
#endif
    tmp.write(name, content);
}

class RealRun : public testing::TestWithParam<RealCase> {};

TEST_P(RealRun, RenamesOnDiskOnlyWhenTheWholeRunIsAccepted) {
    const RealCase& c = GetParam();
    TempFolder tmp;
    for (const auto& [name, content] : folderOf(replaced(c.files, "{deep}", deep())))
        writeFile(tmp, name, content);
    const Folder before = readFolder(tmp.path());
    const std::string folder = (tmp.path() / "").string();
    auto expand = [&](const std::string& text) {
        return replaced(replaced(text, "@", folder), "{deep}", deep());
    };
    std::vector<std::string> args;
    for (const auto& a : words(c.args))
        args.push_back(expand(a));
    RunOptions options = c.options;
    options.input = expand(c.input);
#ifndef _WIN32
    std::optional<StandInEditor> editor;
    if (!c.editor.empty())
        editor.emplace(c.editor);
#endif
    const RunResult r = run(args, options);
    EXPECT_EQ(r.exit, c.exit) << r.err;
    EXPECT_NE(r.err.find(expand(c.err)), std::string::npos) << r.err;
    if (c.out.starts_with("!"))
        EXPECT_EQ(r.out.find(c.out.substr(1)), std::string::npos) << r.out;
    else
        EXPECT_NE(r.out.find(c.out), std::string::npos) << r.out;
    EXPECT_EQ(readFolder(tmp.path()), c.after.empty() ? before : folderOf(c.after));
}

RunOptions closedInput() {
    RunOptions o;
    o.closedInput = true;
    return o;
}

RunOptions fullOutput() {
    RunOptions o;
    o.fullOutput = true;
    return o;
}

RunOptions inputLimit(size_t bytes) {
    RunOptions o;
    o.inputLimit = bytes;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RealRun,
    testing::Values(
        RealCase{"a dry run changes nothing", "IMG_1.jpg IMG_2.jpg",
                 "-t 0=new_ @IMG_1.jpg @IMG_2.jpg", 0, "", "", "",
                 "Dry run: nothing was renamed. Add --apply to rename."},
        RealCase{"apply renames the arguments in any order", "a1.txt a2.txt a3.txt other.txt",
                 "--apply -t 0=b @a3.txt @a1.txt @a3.txt @a2.txt", 0,
                 "b1.txt=a1.txt b2.txt=a2.txt b3.txt=a3.txt other.txt"},
        RealCase{"problems refuse with exit 2", "a1.txt a2.txt",
                 "--apply --paste - @a1.txt @a2.txt", 2, "",
                 "Unable to rename files:\n2 files are being renamed to the same name.",
                 "same\nsame\n"},
        RealCase{"a dry run with problems does not offer --apply", "a1.txt a2.txt",
                 "--paste - @a1.txt @a2.txt", 0, "", "", "same\nsame\n", "!Add --apply"},
        RealCase{"every missing name is named and nothing renamed", "a1.txt",
                 "--apply -t 0=b @a9.txt @a1.txt @a8.txt", 1, "", "cannot find @a8.txt"},
        RealCase{"a refused paste renames nothing", "a1.txt a2.txt",
                 "--apply -t 0=b --paste - @a1.txt @a2.txt", 1, "",
                 "--paste -: the paste was refused; nothing was renamed", "x:\ny\n"},
        RealCase{"a folder as a script", "a1.txt", "--script @ @a1.txt", 1, "",
                 "--script: cannot read @: it is a folder"},
        RealCase{"standard input closed", "a1.txt a2.txt", "--apply --paste - @a1.txt @a2.txt", 1,
                 "", "--paste: cannot read standard input: Bad file descriptor", "", "",
                 closedInput()},
        RealCase{"an input larger than any real one", "a1.txt a2.txt",
                 "--apply --paste - @a1.txt @a2.txt", 1, "",
                 "standard input holds more than 1000 bytes", std::string(1001, 'x'), "",
                 inputLimit(1000)},
        RealCase{"output that cannot be written renames nothing", "a1.txt a2.txt",
                 "--apply --json -t 0=b @a1.txt @a2.txt", 1, "",
                 "cannot write to standard output: No space left on device", "", "", fullOutput()},
        RealCase{"the paths of a run from standard input", "a1.txt a2.txt x.txt",
                 "--apply -t 0=b --from -", 0, "b1.txt=a1.txt b2.txt=a2.txt x.txt", "",
                 "@a1.txt\n\n@a2.txt\n"},
        RealCase{"names in messages are escaped", "a1.txt", "@a1.txt @\x1b]0;x\a.txt", 1, "",
                 "cannot find @\\u001B]0;x\\u0007.txt"},
        RealCase{"a parser error says who speaks", "a1.txt", "--bogus @a1.txt", 1, "",
                 "multirename: The following argument was not expected: --bogus"}),
    CaseName());

#ifndef _WIN32
// 100 characters, 304 bytes with the extension: within 255 characters, over 255 bytes.
std::string tooManyBytes() {
    std::string name;
    for (int i = 0; i < 100; ++i)
        name += "\xe3\x81\x82";
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Posix, RealRun,
    testing::Values(
        RealCase{"a name over 255 bytes is refused before anything moves", "a1.txt a2.txt",
                 "--apply --paste - @a1.txt @a2.txt", 2, "",
                 "1 file is being renamed to a name that is too long (> 255 characters).",
                 tooManyBytes() + "\nb2\n"},
        RealCase{"a typed control character is an invalid name", "a1.txt a2.txt",
                 "--apply -t 0=b\x01 @a1.txt @a2.txt", 2, "",
                 "2 files are being renamed to an invalid name."},
        RealCase{"a pasted NUL refuses the paste", "a1.txt a2.txt",
                 "--apply --paste - @a1.txt @a2.txt", 1, "", "cannot be used to name the files",
                 std::string("q\0.zip\nb2\n", 10)},
        RealCase{"a path too long for a record", "a1.txt {deep}x1.txt",
                 "--apply --paste - @a1.txt @{deep}x1.txt", 1, "",
                 "cannot use @{deep}x1.txt: its full path is too long", "b1\n"},
        RealCase{"a NUL-separated list of paths", "a1.txt a2.txt", "--apply -t 0=b -0 --from -", 0,
                 "b1.txt=a1.txt b2.txt=a2.txt", "", std::string("@a1.txt\0@a2.txt\0", 16)}),
    CaseName());

// --edit with an editor standing in: its lines go through "Paste Names".
RealCase edited(const char* what, std::string files, std::string args, int exit, std::string after,
                std::string err, std::string out, std::string editor) {
    return {what, files, args, exit, after, err, "", out, {}, editor};
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Edit, RealRun,
    testing::Values(
        edited("the edited names rename", "IMG_1.jpg IMG_2.jpg", "--edit --apply @IMG_1.jpg @IMG_2.jpg", 0,
               "Rome_1.jpg=IMG_1.jpg Rome_2.jpg=IMG_2.jpg", "", "Renamed 2 files.", "sed -i 's/IMG_/Rome_/' \"$f\""),
        edited("pasted names are bold in the document", "IMG_1.jpg IMG_2.jpg", "--edit --json @IMG_1.jpg @IMG_2.jpg", 0,
               "", "", "\"bold\": true", "sed -i 's/IMG_/Rome_/' \"$f\""),
        edited("a swap is refused as the dialog refuses it", "a.txt b.txt", "--edit --apply @a.txt @b.txt", 2,
               "", "2 files are being renamed to the same name as existing files.", "", "printf 'b\\na\\n' >\"$f\""),
        edited("two equal names are refused", "a.txt b.txt", "--edit --apply @a.txt @b.txt", 2,
               "", "2 files are being renamed to the same name.", "", "printf 'c\\nc\\n' >\"$f\""),
        edited("the editor's lines are checked as a paste", "a.txt b.txt", "--edit --apply @a.txt @b.txt", 1,
               "", "Number of lines on clipboard: 1\nmultirename: --edit: the paste was refused", "", "echo one >\"$f\""),
        edited("an editor that fails cancels", "a.txt b.txt", "--edit --apply @a.txt @b.txt", 1,
               "", "exited with status 3; nothing was renamed", "", "exit 3"),
        edited("a file left as it was renames nothing, whatever the options did", "IMG_1.jpg IMG_2.jpg",
               "-t 0=x --edit --apply @IMG_1.jpg @IMG_2.jpg", 0,
               "", "--edit: the names were left as they were; nothing was renamed", "Cancelled: nothing was renamed.", "true")),
    CaseName());
// clang-format on

TEST(EditNames, TheEditorGetsAPrivateFileOfTheNamesAndItGoesAfterwards) {
    TempFolder tmp;
    tmp.write("IMG_1.jpg", "1");
    tmp.write("IMG_2.jpg", "2");
    // VISUAL holds an argument of its own and wins over EDITOR (false).
    StandInEditor editor(
        "{ echo \"$1\"; stat -c %a \"$f\"; cat \"$f\"; } >\"$(dirname \"$0\")/seen\"\n"
        "sed -i 's/x/Rome_/' \"$f\"",
        " first");
    const std::string folder = (tmp.path() / "").string();
    const RunResult r =
        run({"-t", "0=x", "--edit", "--apply", folder + "IMG_1.jpg", folder + "IMG_2.jpg"});
    EXPECT_EQ(r.exit, 0) << r.err;
    std::ifstream seen(editor.dir().path() / "seen");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(seen), {}),
              "first\n600\nx1.jpg\nx2.jpg\n");
    EXPECT_EQ(readFolder(tmp.path()), folderOf("Rome_1.jpg=1 Rome_2.jpg=2"));
    EXPECT_TRUE(std::filesystem::is_empty(editor.temporary()));
}

#endif

} // namespace
} // namespace mr::cli::test
