// rigsmith export and rigsmith install: the dialog's two exports, for scripts.
#include <cwctype>
#include <optional>
#include <string>

#include "command_support.h"
#include "commands.h"
#include "console_output.h"
#include "guid_text.h"
#include "machine_bundle.h"
#include "machine_installation.h"
#include "machine_paths.h"
#include "machine_preparation.h"
#include "progress_line.h"
#include "text_encoding.h"

namespace {

// A GUID as the export writes it: 8-4-4-4-12 hexadecimal digits, upper case, no braces.
std::optional<std::wstring> NormalizedGuid(std::wstring text)
{
    if (text.size() != 36) {
        return std::nullopt;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != L'-' : !std::iswxdigit(text[i])) {
            return std::nullopt;
        }
        text[i] = static_cast<wchar_t>(std::towupper(text[i]));
    }
    return text;
}

// The export's settings from the command line, as the dialog would pass them.
struct ExportSettings {
    std::wstring document;
    std::wstring post;
    std::wstring guid;
    std::wstring orientation = kUnchangedOrientation;
};

std::optional<ExportSettings> ReadSettings(const CommandLine& line)
{
    ExportSettings settings;
    settings.document = FullPath(line.arguments[0]);
    if (const auto post = line.Option(L"post"); post && !post->empty()) {
        settings.post = FullPath(*post);
    }
    if (const auto orientation = line.Option(L"orientation")) {
        settings.orientation = *orientation;
    }
    if (const auto guid = line.Option(L"guid")) {
        const std::optional<std::wstring> normalized = NormalizedGuid(*guid);
        if (!normalized) {
            ReportError(L"--guid " + *guid + L" is not a GUID (8-4-4-4-12 hexadecimal digits, no braces)");
            return std::nullopt;
        }
        settings.guid = *normalized;
    } else {
        settings.guid = MakeGuidWString();
        if (settings.guid.empty()) {
            ReportError(L"the system made no GUID for the machine");
            return std::nullopt;
        }
    }
    return settings;
}

// Runs one export with a progress line; a failure is reported in one line,
// "cannot <verb> <document>: <reason>".
template <typename Export>
bool RunWithProgress(const std::wstring& subject, const std::wstring& verb, const ExportSettings& settings,
                     Export&& exportMachine)
{
    std::string failure;
    bool done = false;
    {
        ProgressLine progress(subject);
        done = exportMachine(
            [&progress](std::string_view step, std::uint64_t bytes, std::uint64_t total) {
                progress.Update(step, bytes, total);
            },
            failure);
    }
    if (!done) {
        ReportError(L"cannot " + verb + L" " + settings.document + L": " + Utf8ToWide(failure));
    }
    return done;
}

} // namespace

int RunExport(const CommandLine& line)
{
    if (!CheckCommandLine(line, 1, {L"bundle", L"post", L"guid", L"orientation"}, {})) {
        return kExitUsage;
    }
    const std::optional<std::wstring> bundle = line.Option(L"bundle");
    if (!bundle || bundle->empty()) {
        ReportError(L"export needs --bundle OUT (a .TorlaSimBundle file, or a folder path for <machine>.TorlaSimBundle)");
        return kExitUsage;
    }
    std::optional<ExportSettings> settings = ReadSettings(line);
    if (!settings) {
        return kExitUsage;
    }
    const std::wstring output = FullPath(*bundle);
    const std::wstring machineName = DeriveMachineDocumentNames(settings->document).machineName;
    const bool written = RunWithProgress(
        L"exporting " + machineName, L"export", *settings, [&](const ExportProgress& progress, std::string& failure) {
            return WriteMachineBundle(settings->document, output, settings->orientation, settings->post,
                                      &settings->guid, progress, &failure);
        });
    if (!written) {
        return kExitFailure;
    }
    WriteToStandardOutput(BundleOutputPath(output, machineName) + L"\nGUID " + settings->guid + L"\n");
    return kExitSuccess;
}

int RunInstall(const CommandLine& line)
{
    if (!CheckCommandLine(line, 1, {L"post", L"guid", L"orientation"}, {})) {
        return kExitUsage;
    }
    std::optional<ExportSettings> settings = ReadSettings(line);
    if (!settings) {
        return kExitUsage;
    }
    const std::wstring target = GetSimulatorMachineFolder();
    if (target.empty()) {
        ReportError(L"the simulator's machine folder %APPDATA%\\Torla Pelora\\MachineCfg does not exist "
                    L"(is Torla Pelora installed for this user?)");
        return kExitFailure;
    }
    const std::wstring machineName = DeriveMachineDocumentNames(settings->document).machineName;
    const bool installed = RunWithProgress(
        L"installing " + machineName, L"install", *settings, [&](const ExportProgress& progress, std::string& failure) {
            return InstallMachine(settings->document, target, settings->orientation, settings->post, &settings->guid,
                                  progress, &failure);
        });
    if (!installed) {
        return kExitFailure;
    }
    WriteToStandardOutput(target + machineName + L"\\\nGUID " + settings->guid + L"\n");
    return kExitSuccess;
}
