#pragma once
// The host's paths as the records need them: one spelling for each file, so that one
// folder never becomes two folder records and one file never two listed rows.
#include <string>
#include <vector>

namespace mr {

// One path for each given path, in order: the full path against the working directory
// as it is now ('.' and '..' resolved), its folder as the file system names it (long
// names, links resolved, no '\\?\' prefix) and its own name as given. Empty where a
// path can name nothing usable.
std::vector<std::u16string> canonicalPaths(const std::vector<std::u16string>& paths);

} // namespace mr
