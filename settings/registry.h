#pragma once
// Reads and writes the module's remembered numbers in the per-user settings of one
// product, under "SOFTWARE\Nombrel Software\<product>".
#include "seams/settings_store.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace mr {

// The product the settings are kept under: the host's name, where earlier versions put
// them. The module and the command line pass it alike.
constexpr char16_t kProductName[] = u"Sorrelcast";

class Registry {
public:
    // Throws std::invalid_argument for an empty product name. The store is the
    // platform's (platformSettingsStore(), chosen by the caller) or a test's.
    Registry(std::u16string productName, SettingsStore& store);

    struct KeyPath {
        std::u16string keyPath;
        std::u16string valueName;
    };
    // 'Sub\Value' names the value "Value" in the sub-key 'Sub' of the product's key.
    KeyPath composeKeyPath(std::u16string_view settingName) const;

    // True when the value exists and is a 32-bit number; otherwise value is untouched.
    bool readInt(std::u16string_view settingName, uint32_t& value) const;
    bool readInt(std::u16string_view settingName, int32_t& value) const;
    bool writeInt(std::u16string_view settingName, uint32_t value) const;

    const std::u16string& productName() const { return productName_; }

private:
    std::u16string productName_;
    SettingsStore* store_;
};

} // namespace mr
