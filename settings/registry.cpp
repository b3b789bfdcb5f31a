#include "settings/registry.h"

#include <stdexcept>

namespace mr {

Registry::Registry(std::u16string productName, SettingsStore& store)
    : productName_(std::move(productName)), store_(&store) {
    if (productName_.empty())
        throw std::invalid_argument("Registry::Registry(): Product name cannot be empty");
}

Registry::KeyPath Registry::composeKeyPath(std::u16string_view settingName) const {
    KeyPath out;
    std::u16string_view subKey;
    const size_t cut = settingName.rfind(u'\\');
    if (cut == std::u16string_view::npos) {
        out.valueName = settingName;
    } else {
        subKey = settingName.substr(0, cut);
        out.valueName = settingName.substr(cut + 1);
    }
    out.keyPath = u"SOFTWARE\\Nombrel Software\\" + productName_;
    if (!subKey.empty()) {
        out.keyPath += u'\\';
        out.keyPath += subKey;
    }
    return out;
}

bool Registry::readInt(std::u16string_view settingName, uint32_t& value) const {
    const KeyPath path = composeKeyPath(settingName);
    const auto number = store_->readNumber(path.keyPath, path.valueName);
    if (!number)
        return false;
    value = *number;
    return true;
}

bool Registry::readInt(std::u16string_view settingName, int32_t& value) const {
    uint32_t number = 0;
    if (!readInt(settingName, number))
        return false;
    value = static_cast<int32_t>(number);
    return true;
}

bool Registry::writeInt(std::u16string_view settingName, uint32_t value) const {
    const KeyPath path = composeKeyPath(settingName);
    return store_->writeNumber(path.keyPath, path.valueName, value);
}

} // namespace mr
