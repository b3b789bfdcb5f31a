// The exported entry point: one call is one rename, from the host's paths to the
// closed dialog.
#include "multirename.h"

#include "platform/win32/wide.h"
#include "rename/records.h"
#include "seams/canonical_paths.h"
#include "seams/file_system.h"
#include "settings/registry.h"
#include "ui/win32/change_text_dlg.h"
#include "ui/win32/framework/module_state.h"

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> copyPaths(int count, const wchar_t* const* paths) {
    std::vector<std::u16string> list;
    if (count <= 0 || !paths)
        return list;
    list.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        if (paths[i]) // a null entry names nothing
            list.push_back(mr::fromWide(std::wstring_view(paths[i], std::wcslen(paths[i]))));
    return list;
}

} // namespace

extern "C" MULTIRENAME_API void __cdecl run_multirename(HWND parent, int count,
                                                        const wchar_t* const* paths, bool,
                                                        const wchar_t*) {
    mr::ModuleStateScope moduleState;
    // Nothing may unwind into the host: a failure only means the dialog does not show.
    try {
        // Relative paths mean the folder that is current now, while the dialog opens.
        std::vector<std::u16string> pathList = mr::canonicalPaths(copyPaths(count, paths));
        auto records = std::make_unique<mr::RecordSet>();
        mr::fillRecordSet(*records, pathList, mr::platformFileSystem());
        {
            mr::CWnd parentWnd(parent); // the host's window: wrapped, never owned
            mr::ChangeTextDlg dialog(mr::kProductName, &parentWnd, *records);
            dialog.DoModal();
        }
        mr::clearRecordSet(*records);
        records.reset();
    } catch (...) {
    }
}
