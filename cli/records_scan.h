#pragma once
// A quick reader for records files of the usual shape, a hundred thousand entries
// in a fraction of the time a document tree takes. It accepts only what the full
// reader accepts and reads it the same way; for anything else (an escape it does not
// decode, a wrong member, a syntax error) it gives nothing and the full reader
// decides, with its messages.
#include "cli/records_input.h"

#include <optional>
#include <string_view>

namespace mr::cli {

std::optional<RecordsInput> scanRecords(std::string_view jsonText);

} // namespace mr::cli
