#pragma once
// The module's application object: lives as long as the module is loaded.
#include "ui/win32/framework/app.h"

namespace mr {

class CNombrelsQuesselApp : public CApplication {
public:
    CNombrelsQuesselApp();
    BOOL StartUp() override;
    int ShutDown() override;
};

CNombrelsQuesselApp& theApp();

} // namespace mr
