// The stand-in host programs run as a user (or a demo) runs them: as
// processes, with test add-ins built against each release's host view.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "build_tree.h"
#include "child_process.h"
#include "expected_version_bases.h"
#include "host_options.h"
#include "scratch_folder.h"
#include "text_encoding.h"
#include "window_driver.h"

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

std::wstring HostProgram(int release)
{
    return BuildTreeFile(std::string(RIGSMITH_STANDINS_FROM_TESTS) + "/StandinHost" + std::to_string(release) + ".exe")
        .wstring();
}

std::wstring TestAddin(int release)
{
    return BuildTreeFile("TestAddin" + std::to_string(release) + ".dll").wstring();
}

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

std::vector<std::string> Lines(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::size_t CountOf(const std::vector<std::string>& lines, const std::string& line)
{
    return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

class HostProgramTest : public testing::Test {
protected:
    void SetUp() override { drawing_ = folder_.WriteFile(L"drawing.json", kDrawing); }

    [[nodiscard]] std::wstring HostLog() const { return folder_ / L"host.log"; }
    [[nodiscard]] std::wstring AddinLog() const { return folder_ / L"addin.log"; }

    // The release's host program with the arguments and a log of the test's own.
    [[nodiscard]] std::unique_ptr<ChildProcess> Start(int release, const std::wstring& arguments) const
    {
        auto process = std::make_unique<ChildProcess>(HostProgram(release), arguments + L" --log " + Quoted(HostLog()));
        EXPECT_TRUE(process->Started());
        return process;
    }

    static DWORD WaitForExit(ChildProcess& process)
    {
        const std::optional<DWORD> exitCode = process.WaitForExit();
        EXPECT_TRUE(exitCode) << "the host program did not end";
        return exitCode.value_or(0xFFFFFFFF);
    }

    DWORD Run(int release, const std::wstring& arguments) { return WaitForExit(*Start(release, arguments)); }

    // Waits until the add-in has recorded this many commands.
    [[nodiscard]] bool WaitForCommands(std::size_t count) const
    {
        for (int attempt = 0; attempt < 1500; ++attempt) {
            if (CommandsRecorded() >= count) {
                return true;
            }
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    [[nodiscard]] std::size_t CommandsRecorded() const
    {
        const auto lines = Lines(AddinLog());
        return static_cast<std::size_t>(
            std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("m_main", 0) == 0; }));
    }

    ScratchFolder folder_;
    ScopedEnvironmentVariable addinLog_{L"STANDIN_TEST_ADDIN_LOG", folder_ / L"addin.log"};
    std::wstring drawing_;
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
                       "drawing " + WideToUtf8(drawing_) + ": 3 levels, 2 entities, inch, colour table",
                       "add-in " + WideToUtf8(TestAddin(release)) + " loaded",
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
    EXPECT_EQ(CommandsRecorded(), accepted ? 1u : 0u);
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
    const auto process =
        Start(2023, L"--drawing " + Quoted(drawing_) + L" --addin " + Quoted(TestAddin(2023)) + L" --exit-after-ms 60000");
    const HWND window = WaitForWindow(L"Stand-in host 2023", process->Id(), 30000, L"StandinHostWindow");
    ASSERT_NE(window, nullptr);
    ::PostMessageW(window, ::RegisterWindowMessageW(L"StandinHostRunCommand"), 0, 0);
    EXPECT_TRUE(WaitForCommands(1));
    const HWND button = ::FindWindowExW(window, nullptr, L"Button", L"Run add-in command");
    ASSERT_NE(button, nullptr);
    ::SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitForCommands(2));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(*process), 0u);
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
    const std::wstring broken = folder_.WriteFile(L"broken.json", "{\"units\": ");
    std::wstring arguments = f.arguments;
    for (auto [token, value] : {std::pair{L"%D", broken}, std::pair{L"%F", folder_.Path()}}) {
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
