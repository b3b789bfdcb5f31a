#pragma once
// Change Wild and Change Number as forms in the terminal, over the models the Windows
// dialogs use: the same controls, the same enabling, the same OK.
#include "cli/tui/screen.h"
#include "pattern/token.h"

namespace mr {
class Registry;
}

namespace mr::cli::tui {

// True when OK wrote the settings into the token (the caller refreshes the names).
bool changeWildForm(Screen& screen, const Backdrop& backdrop, PatternToken& token);
bool changeNumberForm(Screen& screen, const Backdrop& backdrop, PatternToken& token,
                      const Registry& settings);

} // namespace mr::cli::tui
