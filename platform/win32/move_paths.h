#pragma once
// The full paths the module's own moves use. They start with '\\?\', so that a name is
// taken as it is (no trailing spaces or periods trimmed, no device names).
//
// Under Wine a folder of the Unix file system is addressed through Wine's Unix
// namespace ('\\?\unix\dev\shm\photos\'): there Wine looks a name up exactly, with one
// stat, where a DOS path makes it read the whole folder to find a name that differs
// only in case for every target that does not exist yet. Exact look-up is what a move
// onto a new name needs once nothing in the folder can meet the target in another
// case, which the guard checks before the first move.
#include <string>
#include <string_view>

namespace mr {

// True when this process runs under Wine (ntdll exports wine_get_version).
bool runningUnderWine();

// The '\\?\' form of a full folder path ending with a backslash ('\\?\UNC\' for '\\');
// a relative path as it is.
std::wstring longFolderPath(const std::wstring& folder);

// The prefix for names of one folder: under Wine its Unix namespace form when Wine
// gives one that opens the very same folder, else longFolderPath.
std::wstring moveFolderPath(const std::wstring& folder, bool underWine);

// Whether a plain path (no '\\?\'), as the shell's operation takes it, reaches exactly this
// name of the folder: Win32 trims a trailing space or period from each name of a path,
// the shell expands '*' and '?', a device name opens the device, and a path of
// MAX_PATH or more is not taken at all.
bool plainPathIsExact(std::u16string_view folder, std::u16string_view name);

} // namespace mr
