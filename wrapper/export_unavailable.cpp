#include "export_callback.h"

#include "user_messages.h"

void OnExportMachine(const char* /*machinePath*/)
{
    ShowUserWarning(L"Exporting machines is not available in this version yet.");
}
