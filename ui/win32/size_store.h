#pragma once
// Where the dialog keeps its size between openings: 32-bit numbers by value name,
// under one product name.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace mr {

class SizeStore {
public:
    virtual ~SizeStore() = default;
    // False when the value is missing or not a 32-bit number.
    virtual bool readInt(std::u16string_view name, uint32_t& value) = 0;
    virtual bool writeInt(std::u16string_view name, uint32_t value) = 0;
};

std::unique_ptr<SizeStore> openSizeStore(const std::u16string& productName);

} // namespace mr
