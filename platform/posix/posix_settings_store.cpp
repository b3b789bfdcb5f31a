// Settings on POSIX: one small text file per product under the XDG config home,
// "<config>/Nombrel Software/<product>.reg", in the registry's export style:
//
//   [SOFTWARE\Nombrel Software\Sorrelcast]
//   "NumberDlg Start"=dword:0000000c
//
// Every write rewrites the file through a temporary file and rename, so a crash
// leaves the old file or the new one, never a mix.
#include "seams/settings_store.h"
#include "text/keys.h"
#include "text/utf8.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace mr {
namespace {

std::string configHome() {
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/')
        return xdg;
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.config";
    return {};
}

// The product is the key path's component after "SOFTWARE\Nombrel Software\".
std::string productFile(std::u16string_view keyPath, std::string* dir) {
    const std::string home = configHome();
    if (home.empty())
        return {};
    constexpr std::u16string_view prefix = u"SOFTWARE\\NOMBREL SOFTWARE\\";
    std::u16string upper = upperKey(keyPath);
    std::u16string_view product = keyPath;
    if (upper.starts_with(prefix)) {
        product = keyPath.substr(prefix.size());
        product = product.substr(0, product.find(u'\\'));
    }
    std::string name = toUtf8(product);
    for (char& c : name)
        if (c == '/' || c == '\0')
            c = '_';
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    *dir = home + "/Nombrel Software";
    return *dir + "/" + name + ".reg";
}

std::string quote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

// Reads a quoted text from the line at pos; false when the line is malformed.
bool unquote(std::string_view line, size_t& pos, std::string& out) {
    if (pos >= line.size() || line[pos] != '"')
        return false;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && pos + 1 < line.size()) {
            c = line[++pos];
            if (c == 'n')
                c = '\n';
        }
        out += c;
    }
    return false;
}

struct Value {
    std::string name; // UTF-8, as written
    std::string data; // what follows '=': "dword:0000000c" or anything else
};
struct Key {
    std::string path;
    std::vector<Value> values;
};

std::vector<Key> load(const std::string& file) {
    std::vector<Key> keys;
    FILE* f = std::fopen(file.c_str(), "rb");
    if (!f)
        return keys;
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    std::fclose(f);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        start = end + 1;
        size_t pos = 1;
        std::string name;
        if (line.size() > 2 && line.front() == '[' && unquote(line, pos, name) &&
            pos < line.size() && line[pos] == ']') {
            keys.push_back({std::move(name), {}});
        } else if (pos = 0; !keys.empty() && unquote(line, pos, name) && pos < line.size() &&
                            line[pos] == '=') {
            keys.back().values.push_back({std::move(name), std::string(line.substr(pos + 1))});
        }
    }
    return keys;
}

bool sameText(std::string_view utf8, std::u16string_view text) {
    return upperKey(fromUtf8(utf8)) == upperKey(text);
}

std::optional<uint32_t> parseDword(std::string_view data) {
    constexpr std::string_view tag = "dword:";
    if (!data.starts_with(tag) || data.size() != tag.size() + 8)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : data.substr(tag.size())) {
        int digit = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'f' ? c - 'a' + 10
                    : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                           : -1;
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool store(const std::string& dir, const std::string& file, const std::vector<Key>& keys) {
    const std::string parent = dir.substr(0, dir.rfind('/'));
    ::mkdir(parent.c_str(), 0700);
    ::mkdir(dir.c_str(), 0700);
    std::string text;
    for (const auto& key : keys) {
        text += '[';
        text += quote(key.path);
        text += "]\n";
        for (const auto& v : key.values) {
            text += quote(v.name);
            text += '=';
            text += v.data;
            text += '\n';
        }
    }
    const std::string temp = file + ".tmp-" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    ::close(fd);
    if (!written || ::rename(temp.c_str(), file.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    if (const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return true;
}

class FileSettingsStore final : public SettingsStore {
public:
    std::optional<uint32_t> readNumber(std::u16string_view keyPath,
                                       std::u16string_view valueName) override {
        std::string dir;
        const std::string file = productFile(keyPath, &dir);
        if (file.empty())
            return std::nullopt;
        for (const auto& key : load(file))
            if (sameText(key.path, keyPath))
                for (const auto& v : key.values)
                    if (sameText(v.name, valueName))
                        return parseDword(v.data);
        return std::nullopt;
    }

    bool writeNumber(std::u16string_view keyPath, std::u16string_view valueName,
                     uint32_t value) override {
        std::string dir;
        const std::string file = productFile(keyPath, &dir);
        if (file.empty())
            return false;
        char data[16];
        std::snprintf(data, sizeof data, "dword:%08x", value);
        std::vector<Key> keys = load(file);
        Key* key = nullptr;
        for (auto& k : keys)
            if (sameText(k.path, keyPath))
                key = &k;
        if (!key)
            key = &keys.emplace_back(Key{toUtf8(keyPath), {}});
        for (auto& v : key->values)
            if (sameText(v.name, valueName)) {
                v.data = data;
                return store(dir, file, keys);
            }
        key->values.push_back({toUtf8(valueName), data});
        return store(dir, file, keys);
    }
};

} // namespace

SettingsStore& platformSettingsStore() {
    static FileSettingsStore store;
    return store;
}

} // namespace mr
