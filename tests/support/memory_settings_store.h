#pragma once
// A settings store in memory. Key paths and value names ignore case, as in the
// registry.
#include "seams/settings_store.h"
#include "text/keys.h"

#include <map>
#include <string>
#include <utility>
#include <variant>

namespace mr {

class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<uint32_t> readNumber(std::u16string_view keyPath,
                                       std::u16string_view valueName) override {
        auto it = values_.find(key(keyPath, valueName));
        if (it == values_.end() || !std::holds_alternative<uint32_t>(it->second))
            return std::nullopt;
        return std::get<uint32_t>(it->second);
    }
    bool writeNumber(std::u16string_view keyPath, std::u16string_view valueName,
                     uint32_t value) override {
        values_[key(keyPath, valueName)] = value;
        return true;
    }
    // A value of another type, as another program may leave one.
    void writeText(std::u16string_view keyPath, std::u16string_view valueName,
                   std::u16string text) {
        values_[key(keyPath, valueName)] = std::move(text);
    }

private:
    using Key = std::pair<std::u16string, std::u16string>;
    static Key key(std::u16string_view keyPath, std::u16string_view valueName) {
        return {upperKey(keyPath), upperKey(valueName)};
    }
    std::map<Key, std::variant<uint32_t, std::u16string>> values_;
};

} // namespace mr
