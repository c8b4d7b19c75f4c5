#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "build_tree.h"
#include "child_process.h"
#include "framewright_environment.h"
#include "framewright_log_format.h"
#include "geometry_channel_server.h"
#include "path_probe.h"
#include "scratch_folder.h"
#include "scratch_registry_key.h"
#include "text_encoding.h"
#include "window_driver.h"

namespace {

namespace fs = std::filesystem;

// Answers geometry requests with a fixed list and keeps the folder messages;
// like the add-in, it can leave a generated file in the announced folder.
class RecordingPicker : public GeometryPicker {
public:
    explicit RecordingPicker(std::wstring answer, bool writesIntoFolder = false)
        : answer_(std::move(answer)), writesIntoFolder_(writesIntoFolder)
    {
    }
    std::wstring RequestStlPaths() override
    {
        const auto folders = Folders();
        if (writesIntoFolder_ && !folders.empty()) {
            std::ofstream(fs::path(folders.back()) / L"Base.stl") << "generated";
        }
        return answer_;
    }
    void SetOutputDirectory(const std::wstring& directory) override
    {
        std::lock_guard lock(mutex_);
        folders_.push_back(directory);
    }
    void Shutdown() override {}
    std::vector<std::wstring> Folders() const
    {
        std::lock_guard lock(mutex_);
        return folders_;
    }

private:
    std::wstring answer_;
    bool writesIntoFolder_;
    mutable std::mutex mutex_;
    std::vector<std::wstring> folders_;
};

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Runs the editor host program with the scripted stand-in editor, with its
// temporary folder, APPDATA, script and log inside a scratch folder.
class WrapperProcessTest : public testing::Test {
protected:
    ScratchFolder scratch_;
    std::wstring temp_ = scratch_.MakeFolder(L"Temp");
    std::wstring appData_ = scratch_.MakeFolder(L"Roaming");
    std::wstring script_ = scratch_ / L"script.txt";
    std::wstring log_ = scratch_ / L"calls.log";
    ScopedEnvironmentVariable tempVariable_{L"TEMP", temp_};
    ScopedEnvironmentVariable tmpVariable_{L"TMP", temp_};
    ScopedEnvironmentVariable appDataVariable_{L"APPDATA", appData_};
    ScopedEnvironmentVariable scriptVariable_{kFramewrightScriptVariable, script_};
    ScopedEnvironmentVariable logVariable_{kFramewrightLogVariable, log_};

    void WriteScript(const std::string& lines) const { scratch_.WriteFile(L"script.txt", lines); }
    std::vector<FramewrightLogRecord> Log() const { return ParseFramewrightLog(ReadFileBytes(log_)); }

    static std::wstring Wrapper() { return DistFile("TorlaRigsmithWrapper.exe").wstring(); }

    // Runs the program to its end; fails the test when it does not end or ends badly.
    void Run(const std::wstring& program, const std::wstring& arguments) const
    {
        ChildProcess wrapper(program, arguments);
        ASSERT_TRUE(wrapper.Started());
        EXPECT_EQ(wrapper.WaitForExit(), std::optional<DWORD>(0));
    }

    static const FramewrightLogRecord* Find(const std::vector<FramewrightLogRecord>& log, const std::string& event)
    {
        for (const auto& record : log) {
            if (record.event == event) {
                return &record;
            }
        }
        return nullptr;
    }
};

TEST_F(WrapperProcessTest, BindsTheEditorInOrderAndAnswersGeometryThroughThePipe)
{
    GeometryChannelServer server;
    auto picker = std::make_shared<RecordingPicker>(L"C:\\W\\Base.stl@0x00b700;D:\\Caf\u00E9.stl");
    server.SetPicker(picker);
    WriteScript("request-geometry\nclose\n");

    Run(Wrapper(), L"junk\\with blanks.exe --defaultUnit=1 --pipeName=\"" + Utf8ToWide(server.PipeName()) +
                       L"\" --language=\"de-DE\" --machineDirectory=\"C:\\Machines\\\"");

    const auto log = Log();
    std::vector<std::string> events;
    for (const auto& record : log) {
        events.push_back(record.event);
    }
    EXPECT_EQ(events, (std::vector<std::string>{"SetCreateSTLFunc", "SetExportFunc", "SetPreconfiguredMachineDirectory",
                                                "RunFramewright", "GeometryCallback", "RunFramewrightReturns"}));
    const auto* run = Find(log, "RunFramewright");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->Field("machineDirectory"), std::optional<std::string>("C:\\Machines\\"));
    EXPECT_EQ(run->Field("machineDirectoryLength"), std::optional<std::string>("12"));
    EXPECT_EQ(run->Field("language"), std::optional<std::string>("de-DE"));
    EXPECT_EQ(run->Field("languageLength"), std::optional<std::string>("5"));
    EXPECT_EQ(run->Field("defaultUnit"), std::optional<std::string>("1"));
    EXPECT_EQ(run->Field("arg3"), std::optional<std::string>(""));
    EXPECT_EQ(run->Field("arg4"), std::optional<std::string>("0"));
    EXPECT_EQ(run->Field("arg8"), std::optional<std::string>("null"));

    const auto* list = Find(log, "SetPreconfiguredMachineDirectory");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Field("list"),
              std::optional<std::string>("C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\Generic Machines"));

    const auto* geometry = Find(log, "GeometryCallback");
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(geometry->Field("text"), std::optional<std::string>("C:\\W\\Base.stl@0x00b700;D:\\Caf\xC3\xA9.stl"));
    EXPECT_EQ(geometry->Field("overrun"), std::optional<std::string>("no"));

    // The work folder was announced with its final backslash and is gone after the run.
    EXPECT_EQ(picker->Folders(), std::vector<std::wstring>{temp_ + L"\\Rigsmith\\"});
    EXPECT_FALSE(PathExists(temp_ + L"\\Rigsmith"));
}

TEST_F(WrapperProcessTest, WorkFolderSkipsTakenNamesAndIsDeletedWithItsFiles)
{
    GeometryChannelServer server;
    const std::wstring workFolder = temp_ + L"\\Rigsmith2";
    auto picker = std::make_shared<RecordingPicker>(workFolder + L"\\Base.stl@0x000000", true);
    server.SetPicker(picker);
    scratch_.MakeFolder(L"Temp\\Rigsmith");
    scratch_.WriteFile(L"Temp\\Rigsmith1", "taken");
    WriteScript("request-geometry\nclose\n");
    Run(Wrapper(), L"--pipeName=\"" + Utf8ToWide(server.PipeName()) + L"\"");
    EXPECT_EQ(picker->Folders(), std::vector<std::wstring>{workFolder + L"\\"});
    const auto log = Log();
    const auto* geometry = Find(log, "GeometryCallback");
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(geometry->Field("text"), std::optional<std::string>(WideToUtf8(workFolder) + "\\Base.stl@0x000000"));
    EXPECT_FALSE(PathExists(workFolder));
    EXPECT_TRUE(IsExistingFolder(temp_ + L"\\Rigsmith")) << "only its own folder is removed";
}

TEST_F(WrapperProcessTest, WithoutOptionsUsesDefaultsAndTheLocalDialog)
{
    scratch_.MakeFolder(L"Roaming\\Torla Pelora");
    WriteScript("request-geometry\nclose\n");
    ChildProcess wrapper(Wrapper(), L"");
    ASSERT_TRUE(wrapper.Started());
    // The default pipe name has no server: the local file dialog answers; cancel it.
    HWND dialog = WaitForWindow(L"Open", wrapper.Id(), 30000, L"#32770");
    ASSERT_NE(dialog, nullptr);
    PressButton(dialog, IDCANCEL);
    EXPECT_EQ(wrapper.WaitForExit(), std::optional<DWORD>(0));

    const auto log = Log();
    const auto* run = Find(log, "RunFramewright");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->Field("language"), std::optional<std::string>("en-US"));
    EXPECT_EQ(run->Field("defaultUnit"), std::optional<std::string>("0"));
    EXPECT_EQ(run->Field("machineDirectory"), std::optional<std::string>(WideToUtf8(appData_ + L"\\Torla Pelora\\Rigsmith\\")));
    EXPECT_TRUE(IsExistingFolder(appData_ + L"\\Torla Pelora\\Rigsmith"));
    const auto* geometry = Find(log, "GeometryCallback");
    ASSERT_NE(geometry, nullptr);
    EXPECT_EQ(geometry->Field("text"), std::optional<std::string>(""));
}

TEST_F(WrapperProcessTest, InstalledEditorProductGivesItsMachinesFirst)
{
    // A Torla Quilra release newer than any real one, registered for this user only during the test.
    const std::wstring quilraKey = L"SOFTWARE\\Torla\\Torla 2029";
    ScratchRegistryKey registration(HKEY_CURRENT_USER, quilraKey);
    const std::wstring installation = scratch_.MakeFolder(L"Quilra");
    scratch_.WriteFile(L"Quilra\\TorlaQuilra\\TorlaQuilra.exe", "MZ");
    registration.SetString(L"InstallPath", installation);
    scratch_.WriteFile(L"Roaming\\Torla 2029\\TorlaQuilra\\MachineCfg\\Shop Mill.mcfg", "{}");
    WriteScript("close\n");

    Run(Wrapper(), L"");

    const auto log = Log();
    const auto* list = Find(log, "SetPreconfiguredMachineDirectory");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Field("list"),
              std::optional<std::string>(WideToUtf8(installation) +
                                         "\\TorlaQuilra\\MachineCfg;C:\\Program Files\\Torla AS\\Torla Rigsmith for "
                                         "Mastercam\\Generic Machines"));
    const auto* run = Find(log, "RunFramewright");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->Field("machineDirectory"),
              std::optional<std::string>(WideToUtf8(appData_ + L"\\Torla 2029\\TorlaQuilra\\MachineCfg\\")));
}

struct MissingLibraryCase {
    const char* name;
    std::string library;  // empty: none beside the program
    std::wstring message;
    friend void PrintTo(const MissingLibraryCase& c, std::ostream* os) { *os << c.name; }
};

class EditorLibraryProblemTest : public WrapperProcessTest,
                                 public testing::WithParamInterface<MissingLibraryCase> {};

TEST_P(EditorLibraryProblemTest, TellsTheUserAndEndsWithZero)
{
    // The program alone in a folder of its own, maybe with a broken library beside it.
    const fs::path folder = scratch_.MakeFolder(L"Program");
    fs::copy_file(Wrapper(), folder / L"TorlaRigsmithWrapper.exe");
    if (!GetParam().library.empty()) {
        fs::copy_file(BuildTreeFile(GetParam().library), folder / L"FramewrightDll.dll");
    }
    WriteScript("close\n");
    ChildProcess wrapper((folder / L"TorlaRigsmithWrapper.exe").wstring(), L"");
    ASSERT_TRUE(wrapper.Started());
    HWND box = WaitForWindow(L"Torla Rigsmith", wrapper.Id(), 30000, L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), GetParam().message);
    PressButton(box, IDOK);
    EXPECT_EQ(wrapper.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_FALSE(PathExists(temp_ + L"\\Rigsmith")) << "the work folder is removed all the same";
    EXPECT_FALSE(PathExists(log_)) << "nothing of the editor ran";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorLibraryProblemTest,
    testing::Values(MissingLibraryCase{"NoLibrary", "", L"Failed to load FramewrightDll.dll"},
                    MissingLibraryCase{"NoRunEntry", RIGSMITH_FRAMEWRIGHT_WITHOUT_RUN_FROM_TESTS "/FramewrightDll.dll",
                                       L"RunFramewright was not found in FramewrightDll.dll"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
