#include "minimal_app.h"

#include <commctrl.h>

#include "resource_module.h"

bool CMinimalApp::InitInstance(HINSTANCE instance)
{
    instance_ = instance;
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = 0xFF;  // the classic control set
    if (!::InitCommonControlsEx(&controls)) {
        return false;
    }
    SetCurrentResourceModule(instance);
    return true;
}
