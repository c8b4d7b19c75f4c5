#include <windows.h>

#include "export_callback.h"
#include "export_dialog.h"
#include "program_state.h"
#include "resource_module.h"

void OnExportMachine(const char* machinePath)
{
    ScopedResourceModule resources(Program().instance);
    ExportDialog dialog(machinePath != nullptr ? machinePath : "");
    dialog.DoModal(::GetDesktopWindow());
}
