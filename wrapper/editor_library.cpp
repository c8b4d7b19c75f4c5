#include "editor_library.h"

#include <windows.h>

#include "user_messages.h"

namespace {

constexpr wchar_t kLibraryName[] = L"FramewrightDll.dll";
constexpr wchar_t kDefaultLibraryPath[] = L"C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\FramewrightDll.dll";

template <typename Function>
Function Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)));
}

int TextLength(const std::string& text)
{
    return static_cast<int>(text.size());
}

} // namespace

void RunEditorLibrary(const EditorLaunch& launch)
{
    // The editor stays loaded for the rest of the process: its windows and
    // threads may outlive the run call by a little.
    HMODULE library = ::LoadLibraryW(kLibraryName);
    if (library == nullptr) {
        library = ::LoadLibraryW(kDefaultLibraryPath);
    }
    if (library == nullptr) {
        ShowUserError(L"Failed to load FramewrightDll.dll");
        return;
    }
    const auto run = Export<RunFramewrightFn>(library, "RunFramewright");
    if (run == nullptr) {
        ShowUserError(L"RunFramewright was not found in FramewrightDll.dll");
        return;
    }
    if (const auto setGeometry = Export<SetCreateStlFuncFn>(library, "SetCreateSTLFunc")) {
        setGeometry(launch.geometryCallback);
    }
    if (const auto setExport = Export<SetExportFuncFn>(library, "SetExportFunc")) {
        setExport(launch.exportCallback);
    }
    const auto setMachines = Export<SetPreconfiguredMachineDirectoryFn>(library, "SetPreconfiguredMachineDirectory");
    if (setMachines != nullptr && !launch.preconfiguredMachines.empty()) {
        setMachines(launch.preconfiguredMachines.c_str(), TextLength(launch.preconfiguredMachines));
    }
    run(launch.machineDirectory.c_str(), TextLength(launch.machineDirectory), "", 0, launch.defaultUnit,
        launch.language.c_str(), TextLength(launch.language), nullptr);
}
