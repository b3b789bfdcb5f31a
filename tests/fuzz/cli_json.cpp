// The --records and --script readers on any bytes either accept or give a message.
#include "cli/actions.h"
#include "cli/records_input.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    auto script = mr::cli::readScript(text, error);
    if (script.has_value() == !error.empty())
        std::abort();
    error.clear();
    auto records = mr::cli::readRecords(text, error);
    if (records.has_value() == !error.empty())
        std::abort();
    if (records) {
        // Every recorded folder can be listed by its own path.
        mr::cli::RecordsFileSystem fs(*records);
        for (const auto& [key, listing] : records->folders)
            if (!fs.listFolder(key))
                std::abort();
    }
    return 0;
}
