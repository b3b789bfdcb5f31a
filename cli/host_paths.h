#pragma once
// The command line's arguments as the host's selection: each becomes its folder's
// real path and its own name, and the record set is filled from them.
#include "rename/records.h"
#include "seams/file_system.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mr::cli {

// A UTF-8 argument as a path of the platform.
std::filesystem::path nativePath(const std::string& utf8);

// A named path that names nothing that can be renamed, and why. The dialog drops
// such paths silently; the command line names each one.
struct UnusablePath {
    std::string path;    // as given
    bool missing = true; // it names nothing; else the problem says what is wrong
    std::string problem; // with missing: a detail, if any
    size_t index = 0;    // among the arguments
};

// Fills the record set from the arguments; the ones that cannot be used, in order.
std::vector<UnusablePath> fillFromArguments(RecordSet& set, const std::vector<std::string>& args,
                                            FileSystem& fs);

} // namespace mr::cli
