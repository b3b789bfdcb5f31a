#pragma once
// Lines for a person on standard error, names escaped, and the check that everything
// written reached its stream.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace mr::cli {

// "multirename: MESSAGE" on a line of its own, escaped for a terminal.
void sayError(std::ostream& err, std::string_view message);
// A text of several lines (a message box of the dialog), each line escaped.
void sayLines(std::ostream& err, std::string_view text);

// Flushes both streams. Nothing when all was written; else why not, already said on
// err where err still works.
std::optional<std::string> outputFailure(std::ostream& out, std::ostream& err);

} // namespace mr::cli
