#include "script_runner.h"

#include <exception>
#include <optional>

#include "call_log.h"
#include "editor_run_end.h"
#include "editor_script.h"
#include "file_bytes.h"
#include "geometry_assignment.h"
#include "host_callbacks.h"
#include "text_encoding.h"

namespace {

void LogScriptError(int line, const std::string& message)
{
    AppendToCallLog(FramewrightLogRecord{"ScriptError", {}}.Add("line", std::to_string(line)).Add("message", message));
}

void AssignLastAnswer(const ScriptAction& action, const std::string& answer)
{
    const std::string& machineDocument = action.arguments[0];
    const std::string& componentGuid = action.arguments[1];
    AssignmentResult result;
    try {
        result = AssignGeometry(Utf8ToWide(machineDocument), componentGuid, answer);
    } catch (const std::exception& error) {
        result = {false, {}, error.what()};
    }
    FramewrightLogRecord record{"AssignGeometry", {}};
    record.Add("machine", machineDocument).Add("component", componentGuid).Add("result", result.ok ? "ok" : "failed");
    if (result.ok) {
        std::string files;
        for (const std::string& name : result.storedFiles) {
            files += (files.empty() ? "" : ";") + name;
        }
        record.Add("files", files);
    } else {
        record.Add("message", result.message);
    }
    AppendToCallLog(record);
}

} // namespace

std::string RunEditorScript(const std::wstring& scriptPath, const EditorSession& session)
{
    const std::optional<std::string> text = ReadFileBytes(scriptPath);
    if (!text) {
        LogScriptError(0, "cannot read the script " + WideToUtf8(scriptPath));
        return kEndedByScriptError;
    }
    const EditorScript script = ParseEditorScript(*text);
    if (!script.error.empty()) {
        LogScriptError(script.errorLine, script.error);
        return kEndedByScriptError;
    }
    std::string lastAnswer;
    for (const ScriptAction& action : script.actions) {
        switch (action.kind) {
        case ScriptActionKind::RequestGeometry:
            lastAnswer = RequestGeometry(session.geometryCallback).text;
            break;
        case ScriptActionKind::AssignGeometry:
            AssignLastAnswer(action, lastAnswer);
            break;
        case ScriptActionKind::Export:
            ExportMachine(session.exportCallback, action.arguments[0]);
            break;
        case ScriptActionKind::Close:
            return kEndedByClose;
        }
    }
    return kEndedAtEndOfScript;
}
