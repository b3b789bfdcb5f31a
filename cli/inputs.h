#pragma once
// The files the command line reads (--paste, --script, --records, --from): named, or
// standard input for "-", and never without a limit.
#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace mr::cli {

// More than any real list of names or records holds: a larger input is refused.
constexpr size_t kInputLimit = size_t(256) << 20;

// The whole of FILE ("-": in). False with a message naming the input when it cannot be
// read or holds more than limit bytes.
bool readInput(const std::string& name, std::istream& in, size_t limit, std::string& content,
               std::string& error);

// The paths of a --from list: one per line, or NUL-separated; empty entries are skipped.
std::vector<std::string> splitPathList(std::string_view text, bool nulSeparated);

} // namespace mr::cli
