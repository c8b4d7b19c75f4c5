#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "framewright_environment.h"

// What the host's geometry callback does in the current test, and the paths
// its export callback received.
extern std::function<void(char*)> g_geometryBehaviour;
extern std::vector<std::string> g_exportedPaths;
void GeometryCallback(char* buffer);
void ExportCallback(const char* machineDocumentUtf8);

// A callback behaviour that answers with the text.
std::function<void(char*)> Answer(const std::string& text);

// Hosts the distributed stand-in with a script and a log in a scratch folder.
class ScriptedEditorTest : public ::testing::Test {
protected:
    void SetUp() override;

    [[nodiscard]] std::filesystem::path ScratchPath(const std::wstring& name) const { return std::filesystem::path(scratch_.Path()) / name; }

    // Registers both callbacks and the list the way the host does, runs the
    // script and returns the whole log.
    std::vector<FramewrightLogRecord> RunScript(const std::string& script);

    ScratchFolder scratch_;
    std::filesystem::path logPath_ = ScratchPath(L"calls.log");
    std::filesystem::path scriptPath_ = ScratchPath(L"script.txt");
    ScopedEnvironmentVariable log_{kFramewrightLogVariable, logPath_.wstring()};
    ScopedEnvironmentVariable script_{kFramewrightScriptVariable, scriptPath_.wstring()};
    FramewrightLibrary library_{DistributedEditorLibrary()};
};
