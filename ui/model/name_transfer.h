#pragma once
// The text rules of copying names out of the dialog and pasting them back.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mr {

struct FileRecord;

// Each new name followed by a line feed, the last one included.
std::u16string copiedNamesText(const std::vector<FileRecord*>& files);

struct PasteLines {
    std::vector<std::u16string> lines; // trimmed, blank ones left out
    uint32_t refusal = 0;              // 0, or the message refusing the text
};

// Splits clipboard text into names. Refused for a forbidden character anywhere in the
// text (blank lines included) or a control character within a trimmed line, then for a
// line over 255 characters.
PasteLines splitPastedNames(std::u16string_view text);

// The new name a pasted line gives a file with the given current name.
std::u16string pastedNewName(std::u16string_view line, std::u16string_view currentName,
                             bool allowExtensionChanges);

// IDS_PASTE_LINE_COUNT with its numbers filled in.
std::u16string lineCountMessage(size_t files, size_t lines);

} // namespace mr
