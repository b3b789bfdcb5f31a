#include "ui/win32/size_store.h"

#include <map>
#include <utility>

namespace mr {
namespace {

// TODO(lead): replace with the per-user settings store, Registry(productName), once
// settings/ is merged; until then sizes are remembered for the life of the process.
class ProcessSizeStore final : public SizeStore {
public:
    explicit ProcessSizeStore(std::u16string product) : product_(std::move(product)) {}

    bool readInt(std::u16string_view name, uint32_t& value) override {
        const auto it = values().find({product_, std::u16string(name)});
        if (it == values().end())
            return false;
        value = it->second;
        return true;
    }

    bool writeInt(std::u16string_view name, uint32_t value) override {
        values()[{product_, std::u16string(name)}] = value;
        return true;
    }

private:
    static std::map<std::pair<std::u16string, std::u16string>, uint32_t>& values() {
        static std::map<std::pair<std::u16string, std::u16string>, uint32_t> stored;
        return stored;
    }
    std::u16string product_;
};

} // namespace

std::unique_ptr<SizeStore> openSizeStore(const std::u16string& productName) {
    return std::make_unique<ProcessSizeStore>(productName);
}

} // namespace mr
