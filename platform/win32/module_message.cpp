#include "platform/win32/module_message.h"

#include "platform/win32/wide.h"
#include "rename/messages.h"

#include <utility>

namespace mr {

void showModuleMessage(HWND owner, std::u16string_view text, MessageIcon icon) {
    const std::wstring body = toWide(text);
    const std::wstring title = toWide(moduleString(IDS_TITLE));
    MessageBoxW(owner, body.c_str(), title.c_str(),
                MB_OK |
                    (icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

std::u16string countedString(uint32_t id, size_t first, size_t second) {
    std::u16string text(moduleString(id));
    for (auto [marker, value] : {std::pair{u"%1!d!", first}, std::pair{u"%2!d!", second}})
        if (const size_t at = text.find(marker); at != std::u16string::npos)
            text.replace(at, 5, fromWide(std::to_wstring(value)));
    return text;
}

} // namespace mr
