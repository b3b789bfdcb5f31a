#include "entry/app.h"

namespace mr {

CNombrelsQuesselApp::CNombrelsQuesselApp() : CApplication(L"multirename") {}

// Nothing of its own to start or stop: it creates no window.
BOOL CNombrelsQuesselApp::StartUp() {
    return CApplication::StartUp();
}

int CNombrelsQuesselApp::ShutDown() {
    return CApplication::ShutDown();
}

CNombrelsQuesselApp& theApp() {
    static CNombrelsQuesselApp app;
    return app;
}

} // namespace mr
