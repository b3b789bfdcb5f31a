#include "platform/win32/module_message.h"

#include "platform/win32/wide.h"
#include "rename/messages.h"

namespace mr {

void showModuleMessage(HWND owner, std::u16string_view text, MessageIcon icon) {
    const std::wstring body = toWide(text);
    const std::wstring title = toWide(moduleString(kMessageTitle));
    MessageBoxW(owner, body.c_str(), title.c_str(),
                MB_OK |
                    (icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
}

} // namespace mr
