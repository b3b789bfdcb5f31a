#pragma once
// The module's application object: lives as long as the module is loaded.
#include "ui/win32/framework/app.h"

namespace mr {

class CNombrelsQuesselApp : public CWinApp {
public:
    CNombrelsQuesselApp();
    BOOL InitInstance() override;
    int ExitInstance() override;
};

CNombrelsQuesselApp& theApp();

} // namespace mr
