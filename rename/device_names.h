#pragma once
// Names that Windows takes for devices: a path ending in 'nul' or 'com1.txt' opens the
// device, not a file of that name.
#include <string_view>

namespace mr {

// CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9 in any case, as the part before the
// first period with its trailing spaces left out.
bool isDeviceName(std::u16string_view name);

} // namespace mr
