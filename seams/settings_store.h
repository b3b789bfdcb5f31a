#pragma once
// The per-user store of 32-bit numbers under key paths: the registry of the current
// user on Windows, a small file per product on POSIX, memory in tests.
#include <cstdint>
#include <optional>
#include <string_view>

namespace mr {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The number, or nothing when the key or the value is missing or the value is not
    // a 32-bit number.
    virtual std::optional<uint32_t> readNumber(std::u16string_view keyPath,
                                               std::u16string_view valueName) = 0;
    // Creates the key path when missing; true when the value was stored.
    virtual bool writeNumber(std::u16string_view keyPath, std::u16string_view valueName,
                             uint32_t value) = 0;
};

// The platform's store (defined by platform/).
SettingsStore& platformSettingsStore();

} // namespace mr
