// rigsmith: the machine export from the command line, for people who export
// many machines or work from scripts.
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"
#include "console_output.h"
#include "run_statistics.h"
#include "text_encoding.h"

namespace {

constexpr wchar_t kUsage[] =
    L"Usage:\n"
    L"  rigsmith export MACHINE.mcfg --bundle OUT [--post FILE] [--guid GUID] [--orientation TEXT]\n"
    L"      Writes the machine as a bundle for Torla Pelora's Machine Installer. OUT is the bundle file\n"
    L"      when it ends in .TorlaSimBundle; otherwise <machine>.TorlaSimBundle goes into OUT's folder.\n"
    L"  rigsmith install MACHINE.mcfg [--post FILE] [--guid GUID] [--orientation TEXT]\n"
    L"      Installs the machine into %APPDATA%\\Torla Pelora\\MachineCfg\\<machine>\\.\n"
    L"  rigsmith inspect FILE\n"
    L"      Shows a .TorlaSimBundle, .TorlaSim or .TorlaSimCfg file as a tree and checks its signatures.\n"
    L"  rigsmith unpack FILE FOLDER [--unverified]\n"
    L"      Writes the entries of such a file into FOLDER.\n"
    L"\n"
    L"A new GUID is made unless --guid is given; the orientation is left as it is unless --orientation\n"
    L"is Vertical, Horizontal or Lathe. --stats reports the run's time and peak memory on standard error.\n"
    L"Exit codes: 0 done, 1 failed (or a file is malformed or its signature fails), 2 wrong command line.\n";

int Run(const std::vector<std::wstring>& args)
{
    std::wstring error;
    const std::optional<CommandLine> line = ParseCommandLine(args, {L"bundle", L"post", L"guid", L"orientation"}, error);
    if (!line) {
        ReportError(error);
        return kExitUsage;
    }
    if (line->HasFlag(L"help") || line->command == L"help") {
        WriteToStandardOutput(kUsage);
        return kExitSuccess;
    }
    const RunStatistics statistics;
    int result = kExitUsage;
    if (line->command == L"export") {
        result = RunExport(*line);
    } else if (line->command == L"install") {
        result = RunInstall(*line);
    } else if (line->command == L"inspect") {
        result = RunInspect(*line);
    } else if (line->command == L"unpack") {
        result = RunUnpack(*line);
    } else {
        ReportError(line->command.empty() ? L"no command given (rigsmith --help shows the commands)"
                                          : L"unknown command " + line->command + L" (rigsmith --help shows the commands)");
        return kExitUsage;
    }
    if (line->HasFlag(L"stats")) {
        statistics.Report();
    }
    return result;
}

} // namespace

int wmain(int argc, wchar_t* argv[])
{
    try {
        return Run(std::vector<std::wstring>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        ReportError(L"unexpected failure: " + Utf8ToWide(e.what()));
        return kExitFailure;
    }
}
