#include <windows.h>

#include "addin_state.h"
#include "app_data.h"
#include "generic_machines.h"
#include "host_session.h"
#include "install_location.h"
#include "machine_directory.h"
#include "resource_module.h"

namespace {

void LaunchEditor()
{
    const std::wstring installDirectory = GetInstallDirectory();
    ::SetDllDirectoryW(installDirectory.c_str());
    const std::wstring editorProgram = installDirectory + L"TorlaRigsmithWrapper.exe";
    const std::wstring languageTag = L"en-US";
    const std::wstring machineDirectory = DefaultMachineDirectory();
    const std::wstring genericMachines = installDirectory + L"Generic Machines\\";
    const std::wstring appData = ReadAppDataFolder();
    if (!appData.empty() && machineDirectory == appData + L"\\Torla Pelora\\Rigsmith\\") {
        CopyMissingGenericMachines(genericMachines, machineDirectory);
    }

    AddinState& state = AddinState::Instance(editorProgram, languageTag, machineDirectory);
    if (state.EditorIsRunning()) {
        state.BringEditorToFront();
        return;
    }
    state.StartEditor(HostIsMetric());
}

} // namespace

extern "C" {

int m_version(int hostVersion)
{
    return HostVersionAnswer(hostVersion);
}

int m_main(void* /*parameter*/)
{
    ScopedResourceModule resources(ModuleOfThisCode());
    try {
        LaunchEditor();
    } catch (...) {
        // Nothing may reach the host through its plain C entry point.
        ::OutputDebugStringW(L"Torla Rigsmith: the command could not be completed");
    }
    return 0;
}

int m_open(void* /*parameter*/)
{
    return 0;
}

int RibbonGroupRigsmithLauncher(void* /*parameter*/)
{
    ScopedResourceModule resources(ModuleOfThisCode());
    return 0;
}

} // extern "C"
