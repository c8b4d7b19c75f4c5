// The stand-in host program: opens a drawing, loads an add-in of its release,
// checks the version handshake and runs the add-in's command on its
// user-interface thread, as the host does. Exit codes: 0 done; 2 bad command
// line; 3 the drawing cannot be opened; 4 the add-in cannot be loaded;
// 5 the add-in was refused (built for another release).

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "addin_library.h"
#include "host_log.h"
#include "host_options.h"
#include "host_window.h"
#include "standin_host_control.h"
#include "text_encoding.h"

namespace {

std::vector<std::wstring> Arguments()
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::wstring> result;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        result.emplace_back(arguments[i]);
    }
    ::LocalFree(arguments);
    return result;
}

void Fail(const standin::HostLog& log, const std::string& message)
{
    log.Line("error: " + message);
    std::fprintf(stderr, "%s\n", message.c_str());
}

std::string DescribeDrawing()
{
    const StandinDrawingSummary summary = StandinDescribeDrawing();
    return std::to_string(summary.levels) + " levels, " + std::to_string(summary.entities) + " entities, " +
           (summary.metric ? "mm" : "inch") + (summary.colourTable ? ", colour table" : ", no colour table");
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    const standin::HostOptionsResult parsed = standin::ParseHostOptions(Arguments());
    if (!parsed.options) {
        Fail(standin::HostLog(L""), parsed.error + "\n" + standin::kHostUsage);
        return 2;
    }
    const standin::HostOptions& options = *parsed.options;
    const standin::HostLog log(options.log);
    const int hostVersion = options.hostVersion.value_or(STANDIN_HOST_VERSION);
    log.Line("release " + std::to_string(STANDIN_HOST_RELEASE) + ", host version " + std::to_string(hostVersion));

    if (!options.drawing.empty()) {
        std::string error;
        if (!StandinOpenDrawingFile(options.drawing, error)) {
            Fail(log, error);
            return 3;
        }
        log.Line("drawing " + WideToUtf8(options.drawing) + ": " + DescribeDrawing());
    }

    std::unique_ptr<standin::AddinLibrary> addin;
    if (!options.addin.empty()) {
        std::string error;
        addin = standin::AddinLibrary::Load(options.addin, error);
        if (!addin) {
            Fail(log, error);
            return 4;
        }
        log.Line("add-in " + WideToUtf8(options.addin) + " loaded");
        const int answer = addin->AnswerVersion(hostVersion);
        const bool accepted = answer == hostVersion;
        log.Line("m_version(" + std::to_string(hostVersion) + ") answered " + std::to_string(answer) +
                 (accepted ? ": accepted" : ": refused"));
        if (!accepted) {
            addin.reset();
            log.Line("add-in unloaded");
            return 5;
        }
    }

    standin::HostWindow window(options, log, addin.get());
    const bool ran = window.Run();
    if (addin) {
        addin.reset();
        log.Line("add-in unloaded");
    }
    log.Line("exit");
    return ran ? 0 : 1;
}
