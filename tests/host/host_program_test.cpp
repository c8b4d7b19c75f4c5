// The stand-in host programs run as a user (or a demo) runs them: as
// processes, with test add-ins built against each release's host view.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "expected_version_bases.h"
#include "host_options.h"
#include "scratch_folder.h"
#include "unique_handle.h"

namespace {

using namespace std::chrono_literals;

constexpr char kDrawing[] = R"({
  "units": "inch",
  "colourTable": {"1": "#FF0000"},
  "levels": [{"number": 5, "name": "Top"}, {"number": 1, "name": "Base"}, {"number": 3, "name": "Off", "active": false}],
  "entities": [
    {"number": 1, "type": "solid", "level": 1, "shape": {"box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}},
    {"number": 2, "type": "line", "level": 5}
  ]
})";

std::filesystem::path TestsFolder()
{
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path();
}

std::filesystem::path HostProgram(int release)
{
    return TestsFolder().parent_path() / L"standins" / (L"StandinHost" + std::to_wstring(release) + L".exe");
}

std::filesystem::path TestAddin(int release)
{
    return TestsFolder() / (L"TestAddin" + std::to_wstring(release) + L".dll");
}

std::wstring Quoted(const std::filesystem::path& path)
{
    return L"\"" + path.wstring() + L"\"";
}

std::vector<std::string> Lines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    std::string text = ReadFileBytes(path);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::size_t CountOf(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

class HostProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ::SetEnvironmentVariableW(L"STANDIN_TEST_ADDIN_LOG", AddinLog().c_str());
        drawing_ = folder_.Write(L"drawing.json", kDrawing);
    }

    [[nodiscard]] std::filesystem::path HostLog() const { return folder_.Path() / L"host.log"; }
    [[nodiscard]] std::filesystem::path AddinLog() const { return folder_.Path() / L"addin.log"; }

    // Starts the release's host program with the arguments and a log of the test's own.
    UniqueHandle Start(int release, const std::wstring& arguments)
    {
        std::wstring commandLine = Quoted(HostProgram(release)) + L" " + arguments + L" --log " + Quoted(HostLog());
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            ADD_FAILURE() << "cannot start the host program, error " << ::GetLastError();
            return {};
        }
        ::CloseHandle(process.hThread);
        processId_ = process.dwProcessId;
        return UniqueHandle(process.hProcess);
    }

    static DWORD WaitForExit(const UniqueHandle& process)
    {
        DWORD exitCode = 0xFFFFFFFF;
        if (process && ::WaitForSingleObject(process.Get(), 60000) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(process.Get(), &exitCode);
        } else if (process) {
            ::TerminateProcess(process.Get(), 99);
            ADD_FAILURE() << "the host program did not end";
        }
        return exitCode;
    }

    DWORD Run(int release, const std::wstring& arguments) { return WaitForExit(Start(release, arguments)); }

    // The main window of the host program started last, once it is up.
    [[nodiscard]] HWND WaitForMainWindow() const
    {
        struct Search {
            DWORD processId;
            HWND found;
        } search{processId_, nullptr};
        for (int attempt = 0; attempt < 1500 && search.found == nullptr; ++attempt) {
            ::EnumWindows(
                [](HWND window, LPARAM context) -> BOOL {
                    auto* search = reinterpret_cast<Search*>(context);
                    DWORD process = 0;
                    ::GetWindowThreadProcessId(window, &process);
                    wchar_t className[64] = {};
                    ::GetClassNameW(window, className, 64);
                    if (process == search->processId && std::wstring(className) == L"StandinHostWindow") {
                        search->found = window;
                        return FALSE;
                    }
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            std::this_thread::sleep_for(20ms);
        }
        return search.found;
    }

    // Waits until the add-in has recorded this many commands.
    [[nodiscard]] bool WaitForCommands(std::size_t count) const
    {
        for (int attempt = 0; attempt < 1500; ++attempt) {
            const auto lines = Lines(AddinLog());
            if (std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("m_main", 0) == 0; }) >=
                static_cast<std::ptrdiff_t>(count)) {
                return true;
            }
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    ScratchFolder folder_;
    std::filesystem::path drawing_;
    DWORD processId_ = 0;
};

class EveryRelease : public HostProgramTest, public testing::WithParamInterface<ExpectedVersionBase> {};

TEST_P(EveryRelease, LoadsItsAddinAndRunsItsCommandOnTheSameDrawing)
{
    const auto [release, base] = GetParam();
    const DWORD exitCode = Run(release, L"--drawing " + Quoted(drawing_) + L" --addin " + Quoted(TestAddin(release)) +
                                            L" --run-command --exit-after-ms 1500");
    const auto log = Lines(HostLog());
    const std::string version = std::to_string(base);
    EXPECT_EQ(log, (std::vector<std::string>{
                       "release " + std::to_string(release) + ", host version " + version,
                       "drawing " + drawing_.string() + ": 3 levels, 2 entities, inch, colour table",
                       "add-in " + TestAddin(release).string() + " loaded",
                       "m_version(" + version + ") answered " + version + ": accepted",
                       "window ready",
                       "command: calling m_main",
                       "command: m_main returned 0",
                       "closing",
                       "add-in unloaded",
                       "exit",
                   }));
    // What the add-in saw of the drawing is what the host opened: one runtime for both.
    EXPECT_EQ(Lines(AddinLog()), (std::vector<std::string>{
                                     "m_version " + version + " -> " + version,
                                     "m_main release " + std::to_string(release) + ", inch, active levels 5 1, entities 2",
                                 }));
    EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(Releases, EveryRelease, testing::ValuesIn(kExpectedVersionBases),
                         [](const auto& info) { return std::to_string(info.param.release); });

struct Handshake {
    const char* name;
    int hostRelease;
    int addinRelease;
    int hostVersion;
    int answer;
};

class Handshakes : public HostProgramTest, public testing::WithParamInterface<Handshake> {};

TEST_P(Handshakes, AcceptOnlyAnAnswerEqualToTheHostsVersion)
{
    const Handshake& h = GetParam();
    const bool accepted = h.answer == h.hostVersion;
    const DWORD exitCode = Run(h.hostRelease, L"--addin " + Quoted(TestAddin(h.addinRelease)) + L" --host-version " +
                                                  std::to_wstring(h.hostVersion) + L" --run-command --exit-after-ms 500");
    const auto log = Lines(HostLog());
    const std::string line = "m_version(" + std::to_string(h.hostVersion) + ") answered " + std::to_string(h.answer);
    EXPECT_EQ(CountOf(log, line + (accepted ? ": accepted" : ": refused")), 1u);
    EXPECT_EQ(CountOf(log, "command: m_main returned 0"), accepted ? 1u : 0u);
    EXPECT_EQ(CountOf(log, "add-in unloaded"), 1u);
    EXPECT_EQ(exitCode, accepted ? 0u : 5u);
    const auto addinLog = Lines(AddinLog());
    EXPECT_EQ(std::count_if(addinLog.begin(), addinLog.end(), [](const std::string& l) { return l.rfind("m_main", 0) == 0; }),
              accepted ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Table, Handshakes,
                         testing::Values(Handshake{"LastVersionOfTheWindow", 2027, 2027, 2999, 2999},
                                         Handshake{"VersionPastTheWindow", 2027, 2027, 3000, 2900},
                                         Handshake{"VersionBelowTheWindow", 2024, 2024, 2599, 2600},
                                         Handshake{"AddinOfAnOlderRelease", 2027, 2026, 2900, 2800},
                                         Handshake{"AddinOfANewerRelease", 2021, 2022, 2300, 2400}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HostProgramTest, CommandRunsAgainFromTheRegisteredMessageAndTheButton)
{
    const UniqueHandle process =
        Start(2023, L"--drawing " + Quoted(drawing_) + L" --addin " + Quoted(TestAddin(2023)) + L" --exit-after-ms 60000");
    const HWND window = WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ::PostMessageW(window, ::RegisterWindowMessageW(L"StandinHostRunCommand"), 0, 0);
    EXPECT_TRUE(WaitForCommands(1));
    const HWND button = ::FindWindowExW(window, nullptr, L"Button", L"Run add-in command");
    ASSERT_NE(button, nullptr);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForCommands(2));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(process), 0u);
    const auto log = Lines(HostLog());
    EXPECT_EQ(CountOf(log, "command: m_main returned 0"), 2u);
    EXPECT_EQ(log.back(), "exit");
}

TEST_F(HostProgramTest, CommandRunsAtEachTimeTheCommandLineGives)
{
    EXPECT_EQ(Run(2025, L"--addin " + Quoted(TestAddin(2025)) +
                            L" --run-command-after-ms 100 --run-command-after-ms 300 --exit-after-ms 2000"),
              0u);
    EXPECT_EQ(CountOf(Lines(HostLog()), "command: m_main returned 0"), 2u);
}

TEST_F(HostProgramTest, WithoutAddinTheCommandDoesNothing)
{
    EXPECT_EQ(Run(2027, L"--run-command --exit-after-ms 500"), 0u);
    EXPECT_EQ(CountOf(Lines(HostLog()), "command: no add-in loaded"), 1u);
}

struct Failure {
    const char* name;
    const wchar_t* arguments;  // "%D" stands for the broken drawing, "%F" for the scratch folder
    DWORD exitCode;
    const char* logged;  // a part of the log's last line; empty: no log
};

class Failures : public HostProgramTest, public testing::WithParamInterface<Failure> {};

TEST_P(Failures, EndWithTheirExitCodeAndSayWhy)
{
    const Failure& f = GetParam();
    const auto broken = folder_.Write(L"broken.json", "{\"units\": ");
    std::wstring arguments = f.arguments;
    for (auto [token, value] : {std::pair{L"%D", broken.wstring()}, std::pair{L"%F", folder_.Path().wstring()}}) {
        for (std::size_t at; (at = arguments.find(token)) != std::wstring::npos;) {
            arguments.replace(at, 2, value);
        }
    }
    EXPECT_EQ(Run(2027, arguments), f.exitCode);
    const auto log = Lines(HostLog());
    if (*f.logged == '\0') {
        EXPECT_TRUE(log.empty());
    } else {
        ASSERT_FALSE(log.empty());
        EXPECT_NE(log.back().find(f.logged), std::string::npos) << log.back();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Failures,
    testing::Values(Failure{"UnknownOption", L"--frobnicate now", 2, ""},
                    Failure{"OptionWithoutValue", L"--run-command --drawing", 2, ""},
                    Failure{"NegativeTime", L"--exit-after-ms -5", 2, ""},
                    Failure{"MissingDrawing", L"--drawing \"%F\\none.json\"", 3, "error: cannot read"},
                    Failure{"BrokenDrawing", L"--drawing \"%D\"", 3, "not valid JSON"},
                    Failure{"MissingAddin", L"--addin \"%F\\none.dll\"", 4, "error: cannot load the add-in"},
                    Failure{"LibraryWithoutEntries", L"--addin StandinHostRuntime2027.dll", 4,
                            "does not export m_version and m_main"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostOptions, ReadsEveryOption)
{
    const auto result = standin::ParseHostOptions({L"--drawing", L"d.json", L"--addin", L"a.dll", L"--log", L"l.txt",
                                                   L"--host-version", L"-3", L"--run-command",
                                                   L"--run-command-after-ms", L"0", L"--run-command-after-ms", L"250",
                                                   L"--exit-after-ms", L"9000"});
    ASSERT_TRUE(result.options) << result.error;
    const standin::HostOptions& options = *result.options;
    EXPECT_EQ(options.drawing, L"d.json");
    EXPECT_EQ(options.addin, L"a.dll");
    EXPECT_EQ(options.log, L"l.txt");
    EXPECT_EQ(options.hostVersion, -3);
    EXPECT_TRUE(options.runCommand);
    EXPECT_EQ(options.runCommandAfterMs, (std::vector<int>{0, 250}));
    EXPECT_EQ(options.exitAfterMs, 9000);
}

TEST(HostOptions, RejectsWhatItDoesNotUnderstand)
{
    for (const std::vector<std::wstring>& arguments : std::vector<std::vector<std::wstring>>{
             {L"--exit-after-ms", L"+5"}, {L"--exit-after-ms", L" 5"}, {L"--exit-after-ms", L"5ms"},
             {L"--host-version", L"99999999999"}, {L"--addin"}, {L"--verbose", L"1"}}) {
        const auto result = standin::ParseHostOptions(arguments);
        EXPECT_FALSE(result.options) << arguments.front();
        EXPECT_FALSE(result.error.empty());
    }
}

} // namespace
