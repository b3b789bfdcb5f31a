#include "ui/win32/size_store.h"

#include "seams/settings_store.h"
#include "settings/registry.h"

#include <utility>

namespace mr {
namespace {

// The per-user settings of the product: the size outlives the process.
class RegistrySizeStore final : public SizeStore {
public:
    explicit RegistrySizeStore(std::u16string product)
        : registry_(std::move(product), platformSettingsStore()) {}

    bool readInt(std::u16string_view name, uint32_t& value) override {
        return registry_.readInt(name, value);
    }

    bool writeInt(std::u16string_view name, uint32_t value) override {
        return registry_.writeInt(name, value);
    }

private:
    Registry registry_;
};

} // namespace

std::unique_ptr<SizeStore> openSizeStore(const std::u16string& productName) {
    return std::make_unique<RegistrySizeStore>(productName);
}

} // namespace mr
