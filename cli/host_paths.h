#pragma once
// The command line's arguments as the host's selection: each becomes its folder's
// real path and its own name, and the record set is filled from them.
#include "platform/file_system.h"
#include "rename/records.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mr::cli {

// A UTF-8 argument as a path of the platform.
std::filesystem::path nativePath(const std::string& utf8);

// Fills the record set from the arguments; false, with the reason, when one of them
// names nothing that can be renamed (the set is then of no use).
bool fillFromArguments(RecordSet& set, const std::vector<std::string>& args, FileSystem& fs,
                       std::string& error);

} // namespace mr::cli
