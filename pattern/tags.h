#pragma once
// Tags inside the new text of a text token: '<D:yyyymmdd>', '<S:A>', '<F>', '<N:2>',
// '<1,1:3>' and the like, each replaced by a value of the file being renamed.
#include "pattern/field_capture.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mr {

struct FileRecord;

// One text token renders at most this many characters.
constexpr size_t kMaxTokenOutput = 260;

// Reads the tag whose body starts at `pos` (just after its '<') and moves `pos` past
// it. With a file, appends the tag's value to `out` while `out` holds fewer than
// kMaxTokenOutput characters; without one (`out` null too) only checks the tag.
// Returns whether the tag was recognised.
bool expandTag(std::u16string_view text, size_t& pos, const FileRecord* file,
               const CaptureList* captures, std::u16string* out);

// Whether the text holds a tag that shows a time or the size of the file.
bool readsFileDetails(std::u16string_view text);

// The time format text for a date format text ("yyyy-mm-dd" -> "%Y-%m-%d").
std::string dateSpecToFormat(std::u16string_view dateText);

// Decimal digits of value, zero-padded to minDigits (at most 255).
std::u16string formatPaddedNumber(uint64_t value, uint32_t minDigits);

} // namespace mr
