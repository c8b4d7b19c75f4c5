// The add-in in the stand-in host, end to end: the host loads it, its command
// starts the editor host program with the scripted stand-in editor, and the
// editor's geometry requests are answered by the picker in the host process,
// driven from here as the user would.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "addin_resource.h"
#include "build_tree.h"
#include "child_process.h"
#include "framewright_environment.h"
#include "framewright_log_format.h"
#include "install_location.h"
#include "path_probe.h"
#include "process_snapshot.h"
#include "remote_list_view.h"
#include "scratch_folder.h"
#include "scratch_registry_key.h"
#include "text_encoding.h"
#include "unique_handle.h"
#include "window_driver.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr wchar_t kEditorProgram[] = L"TorlaRigsmithWrapper.exe";
constexpr char kFixtureGuid[] = "98D535BF-08F5-4438-BF8B-3A691CF48618";  // the generic mill's fixture
constexpr DWORD kStepTimeoutMs = 60000;

// One solid per file, so that admesh can check each generated file as one part.
constexpr char kDrawing[] = R"({
  "units": "mm",
  "colourTable": {"3": "#FF0000", "5": "#FFFF00", "9": "#FF8000", "12": "#00FF00"},
  "levels": [
    {"number": 1, "name": "Frame"},
    {"number": 2, "name": "Torla"},
    {"number": 3, "name": "Sketch"},
    {"number": 4, "name": "Quill"}
  ],
  "entities": [
    {"number": 1, "type": "solid", "level": 1, "colour": 3,
     "shape": {"box": {"corner": [0, 0, 0], "size": [400, 300, 40]}}},
    {"number": 2, "type": "solid", "level": 2, "colour": 5,
     "shape": {"box": {"corner": [-100, -100, -20], "size": [600, 500, 20]}}},
    {"number": 3, "type": "line", "level": 3, "colour": 5},
    {"number": 4, "type": "imported solid", "level": 4, "colour": 12,
     "shape": {"cylinder": {"base": [200, 150, 160], "radius": 30, "height": 200}}},
    {"number": 5, "type": "solid", "level": 3, "colour": 9,
     "shape": {"cylinder": {"base": [60, 60, 40], "radius": 25, "height": 50}}}
  ]
})";

struct Release {
    int release;
    int version;
    friend void PrintTo(const Release& r, std::ostream* os) { *os << r.release; }
};

std::string ReadFileBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> Lines(const fs::path& path)
{
    std::istringstream text(ReadFileBytes(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Polls until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kStepTimeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

bool SetControlText(HWND control, const std::wstring& text)
{
    return ::SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                                 5000, nullptr) != 0;
}

class AddinEndToEnd : public testing::TestWithParam<Release> {
protected:
    void SetUp() override
    {
        install_.SetString(kInstallRegistryValue,
                           DistFile(std::string("TorlaRigsmithWrapper.exe")).parent_path().make_preferred().wstring() +
                               L"\\");
        drawing_ = scratch_.WriteFile(L"machine_shop.json", kDrawing);
        machineDirectory_ = scratch_.MakeFolder(L"Roaming\\Torla Pelora\\Rigsmith") + L"\\";
        WriteScript("request-geometry\nassign-geometry\t" + WideToUtf8(MillDocument()) + "\t" + kFixtureGuid +
                    "\nclose\n");
        scratch_.WriteFile(L"picks.txt", "5\n");
        fs::remove_all(StlCopyFolder());
    }

    void TearDown() override
    {
        if (host_) {
            TerminateProcesses(ChildProcessIds(host_->Id(), kEditorProgram));
        }
    }

    void WriteScript(const std::string& lines) const { scratch_.WriteFile(L"script.txt", lines); }

    [[nodiscard]] std::wstring MillDocument() const { return machineDirectory_ + L"Generic 3-Axis Mill.mcfg"; }
    [[nodiscard]] std::wstring MillFolder() const { return machineDirectory_ + L"Generic 3-Axis Mill\\"; }
    [[nodiscard]] std::wstring WorkFolder() const { return temp_ + L"\\Rigsmith\\"; }
    [[nodiscard]] fs::path StlCopyFolder() const
    {
        return BuildTreeFile("addin-e2e-stl/" + std::to_string(GetParam().release));
    }

    // The host with the drawing and the release's add-in of the install directory.
    void StartHost()
    {
        const int release = GetParam().release;
        const std::wstring program =
            BuildTreeFile(std::string(RIGSMITH_STANDINS_FROM_TESTS) + "/StandinHost" + std::to_string(release) + ".exe")
                .wstring();
        const std::wstring addin = DistFile("addins/" + std::to_string(release) + "/TorlaRigsmith.dll").wstring();
        host_ = std::make_unique<ChildProcess>(program, L"--drawing \"" + drawing_ +
                                                            L"\" --addin \"" + addin + L"\" --log \"" + hostLog_ + L"\"");
        ASSERT_TRUE(host_->Started());
        hostWindow_ = WaitForWindow(L"Stand-in host " + std::to_wstring(release), host_->Id(), kStepTimeoutMs,
                                    L"StandinHostWindow");
        ASSERT_NE(hostWindow_, nullptr) << "the host's window did not appear";
    }

    [[nodiscard]] std::size_t HostLogCount(const std::string& line) const
    {
        const auto lines = Lines(hostLog_);
        return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
    }

    // Runs the add-in's command as the host's button would and waits until it has returned.
    void RunCommand()
    {
        const std::size_t before = HostLogCount("command: m_main returned 0");
        ::PostMessageW(hostWindow_, ::RegisterWindowMessageW(L"StandinHostRunCommand"), 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return HostLogCount("command: m_main returned 0") == before + 1; }))
            << "the command did not return";
    }

    [[nodiscard]] std::vector<DWORD> EditorProcesses() const { return ChildProcessIds(host_->Id(), kEditorProgram); }

    // The one editor host program the host runs, opened for waiting.
    UniqueHandle OpenEditorProcess() const
    {
        std::vector<DWORD> ids;
        WaitUntil([&] { return (ids = EditorProcesses()).size() == 1; });
        EXPECT_EQ(ids.size(), 1u) << "editor host programs of the host";
        return ids.size() == 1
                   ? UniqueHandle(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ids[0]))
                   : UniqueHandle();
    }

    static std::optional<DWORD> WaitForExit(const UniqueHandle& process)
    {
        DWORD code = 0;
        if (!process || ::WaitForSingleObject(process.Get(), kStepTimeoutMs) != WAIT_OBJECT_0 ||
            !::GetExitCodeProcess(process.Get(), &code)) {
            return std::nullopt;
        }
        return code;
    }

    [[nodiscard]] HWND WaitForPicker() const
    {
        return WaitForWindow(L"STL picker", host_->Id(), kStepTimeoutMs, L"#32770");
    }

    // The text of a message box the picker shows, if any (for failure messages).
    static std::wstring PickerMessage(HWND picker)
    {
        const HWND box = WaitForOwnedDialog(picker, 0);
        return box != nullptr ? MessageBoxText(box) : L"(none)";
    }

    [[nodiscard]] std::vector<FramewrightLogRecord> EditorLog() const
    {
        return ParseFramewrightLog(ReadFileBytes(editorLog_));
    }

    static std::vector<const FramewrightLogRecord*> All(const std::vector<FramewrightLogRecord>& log,
                                                        const std::string& event)
    {
        std::vector<const FramewrightLogRecord*> found;
        for (const auto& record : log) {
            if (record.event == event) {
                found.push_back(&record);
            }
        }
        return found;
    }

    ScratchFolder scratch_;
    std::wstring temp_ = scratch_.MakeFolder(L"Temp");
    std::wstring hostLog_ = scratch_ / L"host.log";
    std::wstring editorLog_ = scratch_ / L"editor.log";
    std::wstring machineDirectory_;
    std::wstring drawing_;
    ScratchRegistryKey install_{HKEY_LOCAL_MACHINE, kInstallRegistryKey};
    ScopedEnvironmentVariable tempVariable_{L"TEMP", temp_};
    ScopedEnvironmentVariable tmpVariable_{L"TMP", temp_};
    ScopedEnvironmentVariable appDataVariable_{L"APPDATA", scratch_ / L"Roaming"};
    ScopedEnvironmentVariable scriptVariable_{kFramewrightScriptVariable, scratch_ / L"script.txt"};
    ScopedEnvironmentVariable logVariable_{kFramewrightLogVariable, editorLog_};
    ScopedEnvironmentVariable picksVariable_{L"STANDIN_HOST_PICKS", scratch_ / L"picks.txt"};
    std::unique_ptr<ChildProcess> host_;
    HWND hostWindow_ = nullptr;
};

TEST_P(AddinEndToEnd, GeometryFromTheHostReachesTheEditorAndTheEditorCanBeRunAgain)
{
    const auto [release, version] = GetParam();
    ASSERT_NO_FATAL_FAILURE(StartHost());
    const std::string versionText = std::to_string(version);
    EXPECT_EQ(HostLogCount("m_version(" + versionText + ") answered " + versionText + ": accepted"), 1u);

    // The command starts the editor host program, whose editor asks for geometry at once.
    ASSERT_NO_FATAL_FAILURE(RunCommand());
    const UniqueHandle firstRun = OpenEditorProcess();
    ASSERT_TRUE(firstRun);
    const HWND picker = WaitForPicker();
    ASSERT_NE(picker, nullptr) << "the picker did not appear";

    // A second command while the editor runs starts nothing.
    ASSERT_NO_FATAL_FAILURE(RunCommand());
    EXPECT_EQ(EditorProcesses().size(), 1u);

    // The user ticks Frame and Quill, selects the clamp and names it, and picks an STL file.
    const RemoteListView levels(::GetDlgItem(picker, IDC_LEVEL_LIST));
    ASSERT_TRUE(levels.IsUsable());
    ASSERT_EQ(levels.RowCount(), 3);
    EXPECT_EQ(levels.CellText(0, 2), L"Frame");
    EXPECT_EQ(levels.CellText(1, 1), L"3");
    EXPECT_EQ(levels.CellText(2, 2), L"Quill");
    ASSERT_TRUE(levels.SetChecked(0, true));
    ASSERT_TRUE(levels.SetChecked(2, true));
    EXPECT_TRUE(levels.IsChecked(2));
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(picker, IDC_TOLERANCE)));
    PressButton(picker, IDC_SELECT);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(::GetDlgItem(picker, IDC_SELECTION_COUNT)) == L"1 entities selected"; }));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(picker) != FALSE; }));
    ASSERT_TRUE(SetControlText(::GetDlgItem(picker, IDC_SELECTION_NAME), L"Clamp"));
    const std::wstring bar = DistFile("Generic Machines/Generic 2-Axis Lathe/bar.stl").make_preferred().wstring();
    ASSERT_TRUE(SetControlText(::GetDlgItem(picker, IDC_STL_BROWSE), bar));
    PressButton(picker, IDOK);

    // The editor assigns the answer to the mill's fixture and closes.
    ASSERT_EQ(WaitForExit(firstRun), std::optional<DWORD>(0)) << "message: " << testing::PrintToString(PickerMessage(picker));
    EXPECT_FALSE(::IsWindowVisible(picker));
    const auto log = EditorLog();
    const auto runs = All(log, "RunFramewright");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0]->Field("machineDirectory"), std::optional<std::string>(WideToUtf8(machineDirectory_)));
    EXPECT_EQ(runs[0]->Field("defaultUnit"), std::optional<std::string>("0"));
    const auto answers = All(log, "GeometryCallback");
    ASSERT_EQ(answers.size(), 1u);
    const std::string work = WideToUtf8(WorkFolder());
    EXPECT_EQ(answers[0]->Field("text"), std::optional<std::string>(work + "Clamp.stl@0xb75c00;" + work +
                                                                    "Frame.stl@0xb70000;" + work +
                                                                    "Quill.stl@0x00b700;" + WideToUtf8(bar)));
    const auto assignments = All(log, "AssignGeometry");
    ASSERT_EQ(assignments.size(), 1u);
    EXPECT_EQ(assignments[0]->Field("result"), std::optional<std::string>("ok")) << assignments[0]->Field("message").value_or("");
    EXPECT_EQ(assignments[0]->Field("files"), std::optional<std::string>("Clamp.stl;Frame.stl;Quill.stl;bar.stl"));
    EXPECT_FALSE(PathExists(WorkFolder())) << "the work folder is removed at the end of the run";
    fs::create_directories(StlCopyFolder());
    for (const wchar_t* name : {L"Clamp.stl", L"Frame.stl", L"Quill.stl"}) {
        const fs::path file = MillFolder() + name;
        EXPECT_TRUE(IsExistingRegularFile(file.wstring())) << file;
        std::error_code error;
        fs::copy_file(file, StlCopyFolder() / name, fs::copy_options::overwrite_existing, error);
    }
    EXPECT_EQ(ReadFileBytes(MillFolder() + L"bar.stl"), ReadFileBytes(bar));

    // After the editor has closed, the command starts it again; its request
    // reaches the same add-in, which shows a fresh picker. The user cancels.
    WriteScript("request-geometry\nclose\n");
    ASSERT_NO_FATAL_FAILURE(RunCommand());
    const UniqueHandle secondRun = OpenEditorProcess();
    ASSERT_TRUE(secondRun);
    const HWND secondPicker = WaitForPicker();
    ASSERT_NE(secondPicker, nullptr);
    EXPECT_FALSE(::IsWindow(picker)) << "the picker of the first run is gone";
    EXPECT_EQ(RemoteListView(::GetDlgItem(secondPicker, IDC_LEVEL_LIST)).RowCount(), 3);
    PressButton(secondPicker, IDCANCEL);
    ASSERT_EQ(WaitForExit(secondRun), std::optional<DWORD>(0));
    const auto secondLog = EditorLog();
    const auto secondRuns = All(secondLog, "RunFramewright");
    ASSERT_EQ(secondRuns.size(), 2u);
    EXPECT_EQ(secondRuns[1]->Field("machineDirectory"), runs[0]->Field("machineDirectory"));
    const auto secondAnswers = All(secondLog, "GeometryCallback");
    ASSERT_EQ(secondAnswers.size(), 2u);
    EXPECT_EQ(secondAnswers[1]->Field("text"), std::optional<std::string>(""));
    EXPECT_FALSE(PathExists(WorkFolder()));

    ::PostMessageW(hostWindow_, WM_CLOSE, 0, 0);
    EXPECT_EQ(host_->WaitForExit(kStepTimeoutMs), std::optional<DWORD>(0));
    EXPECT_EQ(HostLogCount("command: m_main returned 0"), 3u);
}

INSTANTIATE_TEST_SUITE_P(Releases, AddinEndToEnd,
                         testing::Values(Release{2027, 2900}, Release{2023, 2500}),
                         [](const auto& info) { return std::to_string(info.param.release); });

} // namespace
