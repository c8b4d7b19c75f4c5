// The stand-in editor in scripted mode, hosted the way the editor host program
// hosts the real one: loaded at run time, callbacks registered, run entry called.
#include <gtest/gtest.h>

#include <cstring>

#include "scripted_editor_fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kBufferSize = kFramewrightGeometryBufferSize;

TEST_F(ScriptedEditorTest, LogsEveryCallWithItsArgumentsInOrder)
{
    WriteBytes(scriptPath_, "close\n");
    const std::string list = "C:\\Torla\\M\xC3\xBCller\\MachineCfg;C:\\Program Files\\Generic Machines";
    const std::string machineDirectory = "C:\\Users\\J\xC3\xB8rgen\\Torla Pelora\\Rigsmith\\";
    library_.setCreateStlFunc(&GeometryCallback);
    library_.setExportFunc(&ExportCallback);
    library_.setPreconfiguredMachineDirectory(list.c_str(), static_cast<int>(list.size()));
    library_.runFramewright(machineDirectory.c_str(), static_cast<int>(machineDirectory.size()), "", 0, 1, "de-DE", 5,
                            nullptr);

    const auto records = ReadCallLog(logPath_);
    EXPECT_EQ(EventsOf(records),
              (std::vector<std::string>{"SetCreateSTLFunc", "SetExportFunc", "SetPreconfiguredMachineDirectory",
                                        "RunFramewright", "RunFramewrightReturns"}));
    EXPECT_EQ(RecordOf(records, "SetCreateSTLFunc").Field("callback"), "set");
    EXPECT_EQ(RecordOf(records, "SetExportFunc").Field("callback"), "set");

    const auto preconfigured = RecordOf(records, "SetPreconfiguredMachineDirectory");
    EXPECT_EQ(preconfigured.Field("list"), list);
    EXPECT_EQ(preconfigured.Field("listLength"), std::to_string(list.size()));
    EXPECT_EQ(preconfigured.Field("listStrlen"), std::to_string(list.size()));

    const auto run = RecordOf(records, "RunFramewright");
    EXPECT_EQ(run.Field("machineDirectory"), machineDirectory);
    EXPECT_EQ(run.Field("machineDirectoryLength"), std::to_string(machineDirectory.size()));
    EXPECT_EQ(run.Field("machineDirectoryStrlen"), std::to_string(machineDirectory.size()));
    EXPECT_EQ(run.Field("arg3Pointer"), "set");
    EXPECT_EQ(run.Field("arg3"), "");
    EXPECT_EQ(run.Field("arg4"), "0");
    EXPECT_EQ(run.Field("defaultUnit"), "1");
    EXPECT_EQ(run.Field("language"), "de-DE");
    EXPECT_EQ(run.Field("languageLength"), "5");
    EXPECT_EQ(run.Field("arg8"), "null");
    EXPECT_EQ(run.Field("mode"), "script");
    EXPECT_EQ(RecordOf(records, "RunFramewrightReturns").Field("reason"), "close");
}

// What a faulty host looks like in the log, so that tests of the host can catch it.
TEST_F(ScriptedEditorTest, LogsArgumentsThatBreakTheContractAsTheyCame)
{
    WriteBytes(scriptPath_, "request-geometry\nexport\tC:\\m.mcfg\nclose\n");
    library_.setCreateStlFunc(nullptr);
    library_.setExportFunc(nullptr);
    library_.setPreconfiguredMachineDirectory("C:\\a;C:\\b", 4);
    int notNull = 0;
    library_.runFramewright("C:\\m", 9, nullptr, 3, 0, "en-US", 2, &notNull);

    const auto records = ReadCallLog(logPath_);
    EXPECT_EQ(RecordOf(records, "SetCreateSTLFunc").Field("callback"), "null");
    EXPECT_EQ(RecordOf(records, "SetExportFunc").Field("callback"), "null");
    const auto preconfigured = RecordOf(records, "SetPreconfiguredMachineDirectory");
    EXPECT_EQ(preconfigured.Field("listLength"), "4");
    EXPECT_EQ(preconfigured.Field("listStrlen"), "9");
    const auto run = RecordOf(records, "RunFramewright");
    EXPECT_EQ(run.Field("machineDirectoryLength"), "9");
    EXPECT_EQ(run.Field("machineDirectoryStrlen"), "4");
    EXPECT_EQ(run.Field("arg3Pointer"), "null");
    EXPECT_EQ(run.Field("arg3"), std::nullopt);
    EXPECT_EQ(run.Field("arg4"), "3");
    EXPECT_EQ(run.Field("languageLength"), "2");
    EXPECT_EQ(run.Field("arg8"), "set");
    // Missing callbacks are not called, and the log says so.
    EXPECT_EQ(RecordOf(records, "GeometryCallback").Field("callback"), "null");
    EXPECT_EQ(RecordOf(records, "ExportCallback").Field("callback"), "null");
    EXPECT_EQ(RecordOf(records, "RunFramewrightReturns").Field("reason"), "close");
}

struct GeometryCase {
    const char* name;
    std::function<void(char*)> behaviour;
    std::string expectedText;
    const char* terminated;
    const char* tailChanged;
    const char* overrun;
};

TEST_F(ScriptedEditorTest, LogsExactlyWhatTheGeometryCallbackLeftInTheBuffer)
{
    const std::string canaryBuffer(kBufferSize, '\xCC');
    const std::string fullBuffer(kBufferSize, 'x');
    const std::vector<GeometryCase> cases{
        {"path list", Answer("C:\\w\\Level 1.stl@0x00ff00;C:\\parts\\vise.stl"),
         "C:\\w\\Level 1.stl@0x00ff00;C:\\parts\\vise.stl", "yes", "no", "no"},
        {"empty answer", Answer(""), "", "yes", "no", "no"},
        {"bytes that are not UTF-8 survive", Answer("C:\\M\xFCller\\a.stl"), "C:\\M\xFCller\\a.stl", "yes", "no", "no"},
        {"nothing written", [](char*) {}, canaryBuffer, "no", "no", "no"},
        {"whole buffer zeroed after the text",
         [](char* buffer) {
             std::memset(buffer, 0, kBufferSize);
             std::memcpy(buffer, "a.stl", 5);
         },
         "a.stl", "yes", "yes", "no"},
        {"text filling the buffer, terminator behind it",
         [&](char* buffer) { std::memcpy(buffer, fullBuffer.c_str(), kBufferSize + 1); }, fullBuffer, "no", "no",
         "yes"},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(logPath_);
        g_geometryBehaviour = c.behaviour;
        const auto geometry = RecordOf(RunScript("request-geometry\nclose\n"), "GeometryCallback");
        EXPECT_EQ(geometry.Field("callback"), "set");
        EXPECT_EQ(geometry.Field("text"), c.expectedText);
        EXPECT_EQ(geometry.Field("length"), std::to_string(c.expectedText.size()));
        EXPECT_EQ(geometry.Field("terminated"), c.terminated);
        EXPECT_EQ(geometry.Field("tailChanged"), c.tailChanged);
        EXPECT_EQ(geometry.Field("overrun"), c.overrun);
    }
}

TEST_F(ScriptedEditorTest, ExportCallsTheExportCallbackWithEachPathInUtf8)
{
    const std::string first = "C:\\Users\\Ann\\Fr\xC3\xA4s Maschine.mcfg";
    const std::string second = "D:\\machines\\Lathe.mcfg";
    const auto records = RunScript("export\t" + first + "\nexport\t" + second + "\nclose\n");

    EXPECT_EQ(g_exportedPaths, (std::vector<std::string>{first, second}));
    std::vector<std::string> logged;
    for (const auto& record : records) {
        if (record.event == "ExportCallback") {
            EXPECT_EQ(record.Field("callback"), "set");
            logged.push_back(record.Field("path").value_or("<missing>"));
        }
    }
    EXPECT_EQ(logged, g_exportedPaths);
}

struct ScriptErrorCase {
    const char* name;
    std::string script;
    const char* line;
};

TEST_F(ScriptedEditorTest, AFaultyScriptRunsNothingAndEndsTheRun)
{
    const std::vector<ScriptErrorCase> cases{
        {"unknown action", "request-geometry\n\nfly-away\nclose\n", "3"},
        {"argument missing", "# comment\nexport\n", "2"},
        {"argument too many", "close\tnow\n", "1"},
        {"empty argument", "request-geometry\nassign-geometry\t\tGUID\n", "2"},
        {"blank-separated instead of tab-separated", "export C:\\a b.mcfg\n", "1"},
    };
    for (const ScriptErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(logPath_);
        bool called = false;
        g_geometryBehaviour = [&](char* buffer) {
            called = true;
            buffer[0] = '\0';
        };
        const auto records = RunScript(c.script);
        EXPECT_FALSE(called);
        EXPECT_TRUE(g_exportedPaths.empty());
        EXPECT_EQ(RecordOf(records, "ScriptError").Field("line"), c.line);
        EXPECT_EQ(RecordOf(records, "RunFramewrightReturns").Field("reason"), "script-error");
    }
}

TEST_F(ScriptedEditorTest, RunEndsWithTheScriptWhenItHasNoClose)
{
    WriteBytes(scriptPath_, "\xEF\xBB\xBF"
                            "export\tC:\\m.mcfg\r\n");
    EXPECT_EQ(RecordOf(RunScript(ReadBytes(scriptPath_)), "RunFramewrightReturns").Field("reason"), "end-of-script");
    EXPECT_EQ(g_exportedPaths, std::vector<std::string>{"C:\\m.mcfg"});
}

TEST_F(ScriptedEditorTest, AMissingScriptFileEndsTheRun)
{
    const ScopedEnvironmentVariable missing(kFramewrightScriptVariable, ScratchPath(L"no-such-script.txt").wstring());
    const std::string directory = "C:\\";
    library_.runFramewright(directory.c_str(), 3, "", 0, 0, "en-US", 5, nullptr);
    const auto records = ReadCallLog(logPath_);
    EXPECT_EQ(RecordOf(records, "ScriptError").Field("line"), "0");
    EXPECT_EQ(RecordOf(records, "RunFramewrightReturns").Field("reason"), "script-error");
}

TEST(EditorLibraryVariantTest, VariantWithoutRunEntryLacksOnlyThatExport)
{
    const FramewrightLibrary complete(DistributedEditorLibrary());
    ASSERT_TRUE(complete.Loaded());
    EXPECT_NE(complete.runFramewright, nullptr);

    const FramewrightLibrary variant(EditorLibraryWithoutRunEntry());
    ASSERT_TRUE(variant.Loaded()) << EditorLibraryWithoutRunEntry();
    EXPECT_EQ(variant.runFramewright, nullptr);
    EXPECT_NE(variant.setCreateStlFunc, nullptr);
    EXPECT_NE(variant.setExportFunc, nullptr);
    EXPECT_NE(variant.setPreconfiguredMachineDirectory, nullptr);
    EXPECT_EQ(EditorLibraryWithoutRunEntry().filename(), DistributedEditorLibrary().filename());
}

} // namespace
