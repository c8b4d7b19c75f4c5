#include <windows.h>

#include <string>

#include "command_line.h"
#include "editor_library.h"
#include "export_callback.h"
#include "geometry_callback.h"
#include "geometry_pipe_client.h"
#include "install_location.h"
#include "minimal_app.h"
#include "program_state.h"
#include "quilra_installation.h"
#include "startup_settings.h"
#include "text_encoding.h"
#include "user_messages.h"
#include "work_folder.h"

namespace {

CMinimalApp theApp;

constexpr int kFirstQuilraYear = 2022;
constexpr int kLastQuilraYear = 2029;

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int /*show*/)
{
    if (!theApp.InitInstance(instance)) {
        ::MessageBoxW(nullptr, L"Failed to initialize MFC!", kWrapperCaption, MB_OK);
        return 1;
    }
    Program().instance = instance;

    const std::string arguments = WideToUtf8(commandLine != nullptr ? commandLine : L"");
    const ConfigPaths configPaths = LoadConfigPaths(kFirstQuilraYear, kLastQuilraYear);

    EditorLaunch launch;
    launch.language = "en-US";
    launch.defaultUnit = 0;
    launch.machineDirectory = StartupMachineDirectory(configPaths);
    launch.preconfiguredMachines = PreconfiguredMachineList(configPaths, GetInstallDirectoryUtf8());

    const WrapperOptions options = ParseWrapperOptions(arguments);
    if (options.language) {
        launch.language = *options.language;
    }
    if (options.machineDirectory) {
        launch.machineDirectory = *options.machineDirectory;
    }
    if (options.defaultUnit) {
        launch.defaultUnit = *options.defaultUnit;
    }
    if (options.pipeName) {
        Program().pipeName = *options.pipeName;
    }

    const std::optional<std::wstring> workFolder = CreateWorkFolder(TemporaryFolder());
    if (workFolder) {
        SendOutputFolderMessage(Program().pipeName, WideToUtf8(*workFolder + L"\\"));
    } else {
        ShowUserWarning(L"Torla Rigsmith could not create its work folder in the temporary folder. "
                        L"STL files generated in Mastercam during this session are written to Mastercam's "
                        L"current folder and are not removed afterwards.");
    }

    ::SetDllDirectoryW(GetInstallDirectory().c_str());

    launch.geometryCallback = &CreateStlCallback;
    launch.exportCallback = &OnExportMachine;
    RunEditorLibrary(launch);

    if (workFolder && !DeleteWorkFolder(*workFolder)) {
        ::OutputDebugStringW(L"Torla Rigsmith: the work folder could not be removed completely");
    }
    return 0;
}
