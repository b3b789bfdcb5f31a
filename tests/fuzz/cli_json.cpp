// The --records and --script readers on any bytes either accept or give a message.
#include "cli/actions.h"
#include "cli/records_input.h"
#include "fuzz/input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto script = mr::cli::readScript(text, error);
    mr::fuzz::require(script.has_value() == error.empty(), "script: no message, or one too many");
    error.clear();
    const auto records = mr::cli::readRecords(text, error);
    mr::fuzz::require(records.has_value() == error.empty(), "records: no message, or one too many");
    if (records) {
        // Every recorded folder can be listed by its own path.
        mr::cli::RecordsFileSystem fs(*records);
        for (const auto& [key, listing] : records->folders)
            mr::fuzz::require(fs.listFolder(key).has_value(), "a recorded folder is not listed");
    }
    return 0;
}
