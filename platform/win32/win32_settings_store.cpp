// Settings on Windows: REG_DWORD values under HKEY_CURRENT_USER. Every operation
// opens and closes its own key, so a value written is seen by the next read.
#include "platform/win32/wide.h"
#include "seams/settings_store.h"

#include <windows.h>

namespace mr {
namespace {

class RegistrySettingsStore final : public SettingsStore {
public:
    std::optional<uint32_t> readNumber(std::u16string_view keyPath,
                                       std::u16string_view valueName) override {
        HKEY key;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, toWide(keyPath).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0, value = 0, size = sizeof value;
        const LONG result = RegQueryValueExW(key, toWide(valueName).c_str(), nullptr, &type,
                                             reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return value;
    }

    bool writeNumber(std::u16string_view keyPath, std::u16string_view valueName,
                     uint32_t value) override {
        HKEY key;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, toWide(keyPath).c_str(), 0, nullptr,
                            REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return false;
        const DWORD data = value;
        const LONG result = RegSetValueExW(key, toWide(valueName).c_str(), 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&data), sizeof data);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }
};

} // namespace

SettingsStore& platformSettingsStore() {
    static RegistrySettingsStore store;
    return store;
}

} // namespace mr
