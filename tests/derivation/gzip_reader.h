#pragma once
// Reads a gzip file (one or more deflate members) into memory; enough for the corpus
// of real names, without a compression library on every toolchain.
#include <optional>
#include <string>

namespace mr::test {

std::optional<std::string> readGzipFile(const std::string& path);

} // namespace mr::test
