#include "linux_side.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace mr::test {
namespace {

// The scratch folder of the private-mounts wrapper (MR_SCRATCH), a Unix path.
std::string scratch() {
    const char* dir = std::getenv("MR_SCRATCH");
    return dir ? dir : "";
}

std::wstring unixPath(const std::string& path) {
    return L"\\\\?\\unix" + std::wstring(path.begin(), path.end());
}

std::wstring windowsPath(const std::string& path) {
    std::wstring out = L"Z:";
    for (char c : path)
        out += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return out;
}

// A shell word that gives the bytes back exactly: printf with every byte in octal.
std::string quoted(const std::string& bytes) {
    std::string out = "\"$(printf '";
    for (unsigned char c : bytes) {
        const char octal[] = {'\\', static_cast<char>('0' + (c >> 6)),
                              static_cast<char>('0' + ((c >> 3) & 7)),
                              static_cast<char>('0' + (c & 7)), 0};
        out += octal;
    }
    return out + "')\"";
}

void writeAll(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(unixPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readAll(const std::string& path) {
    HANDLE file = CreateFileW(unixPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    char buffer[4096];
    for (DWORD got = 0; ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0;)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Runs the script with /bin/sh. Wine starts a Unix program without a handle to wait on,
// so the script leaves a mark when it is done.
void runShell(const std::string& script) {
    const std::string file = scratch() + "/script.sh", done = scratch() + "/done";
    DeleteFileW(unixPath(done).c_str());
    writeAll(file, script + "\n: > " + done + "\n");
    std::wstring command = L"/bin/sh " + std::wstring(file.begin(), file.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    for (int i = 0;
         i < 3000 && GetFileAttributesW(unixPath(done).c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(10);
    ASSERT_NE(GetFileAttributesW(unixPath(done).c_str()), INVALID_FILE_ATTRIBUTES)
        << "the shell did not finish";
}

std::string root() {
    return scratch() + "/t";
}

} // namespace

std::wstring makeLinuxTree(const std::vector<LinuxEntry>& entries) {
    EXPECT_FALSE(scratch().empty()) << "run by in-private-mounts.sh, which sets MR_SCRATCH";
    std::string script = "set -e\nrm -rf " + root() + "\nmkdir " + root() + "\ncd " + root() + "\n";
    for (const LinuxEntry& e : entries) {
        const std::string path = quoted(e.path);
        if (e.kind == 'd')
            script += "mkdir " + path + "\n";
        else if (e.kind == 'l')
            script += "ln -s " + quoted(e.target) + " " + path + "\n";
        else if (e.kind == 'h')
            script += "ln " + quoted(e.target) + " " + path + "\n";
        else
            script += "printf %s " + path + " > " + path + "\n";
    }
    runShell(script);
    return windowsPath(root()) + L"\\";
}

LinuxTree readLinuxTree() {
    const std::string out = scratch() + "/tree";
    runShell("cd " + root() + R"sh( && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort |
while IFS= read -r p; do
  if [ -L "$p" ]; then printf '%s\t-> %s\n' "$p" "$(readlink "$p")"
  elif [ -d "$p" ]; then printf '%s\t<dir>\n' "$p"
  else printf '%s\t%s\n' "$p" "$(cat "$p")"; fi
done > )sh" + out);
    std::istringstream in(readAll(out));
    LinuxTree tree;
    for (std::string line; std::getline(in, line);) {
        const size_t tab = line.find('\t');
        tree[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return tree;
}

LinuxTree treeOf(const std::vector<LinuxEntry>& entries) {
    LinuxTree tree;
    for (const LinuxEntry& e : entries)
        tree[e.path] = e.kind == 'd'   ? "<dir>"
                       : e.kind == 'l' ? "-> " + e.target
                       : e.kind == 'h' ? e.target
                                       : e.path;
    return tree;
}

} // namespace mr::test
