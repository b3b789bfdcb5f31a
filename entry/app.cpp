#include "entry/app.h"

namespace mr {

CNombrelsQuesselApp::CNombrelsQuesselApp() : CWinApp(L"multirename") {}

// Nothing of its own to start or stop: it creates no window.
BOOL CNombrelsQuesselApp::InitInstance() {
    return CWinApp::InitInstance();
}

int CNombrelsQuesselApp::ExitInstance() {
    return CWinApp::ExitInstance();
}

CNombrelsQuesselApp& theApp() {
    static CNombrelsQuesselApp app;
    return app;
}

} // namespace mr
