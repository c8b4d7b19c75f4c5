// The library's four entry points. Each logs what it received exactly as it
// arrived, so that tests of the host can check every argument.
#include <cstring>
#include <exception>
#include <optional>

#include "call_log.h"
#include "editor_session.h"
#include "framewright_api.h"
#include "framewright_environment.h"
#include "machine_list_window.h"
#include "script_runner.h"

namespace {

EditorSession& Session()
{
    static EditorSession session;
    return session;
}

// A text argument as "<name>Pointer", "<name>" (up to its terminator),
// "<name>Strlen" and, when the caller passes one, "<name>Length".
void AddTextArgument(FramewrightLogRecord& record, const std::string& name, const char* text,
                     std::optional<int> givenLength)
{
    record.Add(name + "Pointer", SetOrNull(text != nullptr));
    if (text != nullptr) {
        record.Add(name, text).Add(name + "Strlen", std::to_string(std::strlen(text)));
    }
    if (givenLength) {
        record.Add(name + "Length", std::to_string(*givenLength));
    }
}

// No exception may cross into the host.
template <typename Action>
void Guarded(const char* entry, Action action)
{
    try {
        action();
    } catch (const std::exception& error) {
        AppendToCallLog(FramewrightLogRecord{"StandInFailure", {}}.Add("entry", entry).Add("message", error.what()));
    } catch (...) {
        AppendToCallLog(FramewrightLogRecord{"StandInFailure", {}}.Add("entry", entry).Add("message", "unknown"));
    }
}

} // namespace

extern "C" void SetCreateSTLFunc(FramewrightGeometryCallback callback)
{
    Guarded("SetCreateSTLFunc", [&] {
        Session().geometryCallback = callback;
        AppendToCallLog(FramewrightLogRecord{"SetCreateSTLFunc", {}}.Add("callback", SetOrNull(callback != nullptr)));
    });
}

extern "C" void SetExportFunc(FramewrightExportCallback callback)
{
    Guarded("SetExportFunc", [&] {
        Session().exportCallback = callback;
        AppendToCallLog(FramewrightLogRecord{"SetExportFunc", {}}.Add("callback", SetOrNull(callback != nullptr)));
    });
}

extern "C" void SetPreconfiguredMachineDirectory(const char* folderList, int folderListLength)
{
    Guarded("SetPreconfiguredMachineDirectory", [&] {
        Session().preconfiguredFolders = folderList != nullptr ? folderList : "";
        FramewrightLogRecord record{"SetPreconfiguredMachineDirectory", {}};
        AddTextArgument(record, "list", folderList, folderListLength);
        AppendToCallLog(record);
    });
}

extern "C" void RunFramewright(const char* machineDirectory, int machineDirectoryLength, const char* reservedText,
                               int reservedTextLength, int defaultUnit, const char* language, int languageLength,
                               void* reserved)
{
    Guarded("RunFramewright", [&] {
        EditorSession& session = Session();
        session.machineDirectory = machineDirectory != nullptr ? machineDirectory : "";
        const std::wstring scriptPath = ReadEnvironmentText(kFramewrightScriptVariable);

        FramewrightLogRecord record{"RunFramewright", {}};
        AddTextArgument(record, "machineDirectory", machineDirectory, machineDirectoryLength);
        AddTextArgument(record, "arg3", reservedText, std::nullopt);
        record.Add("arg4", std::to_string(reservedTextLength)).Add("defaultUnit", std::to_string(defaultUnit));
        AddTextArgument(record, "language", language, languageLength);
        record.Add("arg8", SetOrNull(reserved != nullptr)).Add("mode", scriptPath.empty() ? "window" : "script");
        AppendToCallLog(record);

        const std::string reason =
            scriptPath.empty() ? RunMachineListWindow(session) : RunEditorScript(scriptPath, session);
        AppendToCallLog(FramewrightLogRecord{"RunFramewrightReturns", {}}.Add("reason", reason));
    });
}
