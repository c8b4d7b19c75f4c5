#include "scripted_editor_fixture.h"

#include <cstring>

std::function<void(char*)> g_geometryBehaviour;
std::vector<std::string> g_exportedPaths;

void GeometryCallback(char* buffer) { g_geometryBehaviour(buffer); }
void ExportCallback(const char* machineDocumentUtf8) { g_exportedPaths.emplace_back(machineDocumentUtf8); }

std::function<void(char*)> Answer(const std::string& text)
{
    return [text](char* buffer) { std::memcpy(buffer, text.c_str(), text.size() + 1); };
}

void ScriptedEditorTest::SetUp()
{
    ASSERT_TRUE(library_.Loaded()) << DistributedEditorLibrary();
    ASSERT_NE(library_.runFramewright, nullptr);
    g_geometryBehaviour = Answer("");
    g_exportedPaths.clear();
}

std::vector<FramewrightLogRecord> ScriptedEditorTest::RunScript(const std::string& script)
{
    WriteBytes(scriptPath_, script);
    library_.setCreateStlFunc(&GeometryCallback);
    library_.setExportFunc(&ExportCallback);
    const std::string list = "Z:\\Generic Machines";
    library_.setPreconfiguredMachineDirectory(list.c_str(), static_cast<int>(list.size()));
    const std::string machineDirectory = Utf8Path(std::filesystem::path(scratch_.Path()));
    library_.runFramewright(machineDirectory.c_str(), static_cast<int>(machineDirectory.size()), "", 0, 0, "en-US", 5,
                            nullptr);
    return ReadCallLog(logPath_);
}
