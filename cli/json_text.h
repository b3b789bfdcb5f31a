#pragma once
// JSON in and out of the command line. Names are UTF-16 and need not be valid
// UTF-16 (POSIX names keep undecodable bytes as lone surrogates), which plain
// UTF-8 JSON libraries refuse: lone surrogates travel as \uXXXX escapes both ways.
#include <nlohmann/json.hpp>

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mr::cli {

// Parses a JSON text; on failure gives nothing and a message saying where and why.
std::optional<nlohmann::json> parseJson(std::string_view text, std::string& error);

// A string value of a parsed document as UTF-16, lone surrogates restored.
std::u16string jsonString(const nlohmann::json& value);

// Why a JSON value is no whole number from 0 to 2^64 - 1: "must be a whole number from 0
// up", or "is too large" for a whole number beyond 64 bits; empty when it is one.
std::string wholeNumberProblem(const nlohmann::json& value);

// A pretty-printing writer for the output document.
class JsonWriter {
public:
    // `indent` levels of indentation before every line after the first, so that the
    // text can later stand as a value at that depth of another document.
    explicit JsonWriter(std::string& out, size_t indent = 0) : out_(out), indent_(indent) {}
    // Writes to the stream in large pieces as the text grows, and the rest at the end.
    explicit JsonWriter(std::ostream& sink);
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;
    void flush();

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void value(std::u16string_view text);
    void value(const char* ascii) { asciiValue(ascii); }
    void value(bool b);
    void value(int64_t n);
    void value(uint64_t n);
    void value(int32_t n) { value(static_cast<int64_t>(n)); }
    void value(uint32_t n) { value(static_cast<uint64_t>(n)); }
    void null();
    // A value written before by a writer with the right indent.
    void raw(std::string_view json);

    template <class T>
    void member(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

private:
    void asciiValue(std::string_view text);
    void beforeValue();
    void newline();

    struct Level {
        bool object;
        size_t count = 0;
    };
    static constexpr size_t kChunk = 1 << 16;
    std::string buffer_; // the stream's text not yet written
    std::string& out_;
    size_t indent_;
    std::ostream* sink_ = nullptr;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

// A JSON string literal (quotes included) of UTF-16 text.
std::string jsonQuoted(std::u16string_view text);

} // namespace mr::cli
