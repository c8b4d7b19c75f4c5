#include "machine_installation.h"

#include <windows.h>

#include <exception>
#include <optional>

#include "app_data.h"
#include "export_failure.h"
#include "export_inputs.h"
#include "file_replacement.h"
#include "machine_paths.h"
#include "machine_preparation.h"
#include "path_probe.h"
#include "text_encoding.h"

namespace {

// Names that differ only in letter case are one file here.
bool SameFileName(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool WriteInto(const std::wstring& folder, const std::wstring& name, std::span<const std::uint8_t> bytes,
               std::string* failure)
{
    return WriteFileReplacing(folder + name, bytes) || Fail(failure, "cannot write " + WideToUtf8(folder + name));
}

} // namespace

std::wstring GetSimulatorMachineFolder()
{
    const std::wstring appData = ReadAppDataFolder();
    if (appData.empty()) {
        return {};
    }
    const std::wstring folder = appData + L"\\Torla Pelora\\MachineCfg\\";
    return IsExistingFolder(folder) ? folder : std::wstring();
}

bool InstallMachine(const std::wstring& documentPath, const std::wstring& targetFolder,
                    const std::wstring& orientation, const std::wstring& postPath, std::wstring* guid,
                    const ExportProgress& progress, std::string* failure)
{
    try {
        const std::optional<ExportInputs> inputs = ReadExportInputs(documentPath, postPath, failure);
        if (!inputs) {
            return false;
        }
        const MachineDocumentNames& names = inputs->names;
        const std::optional<PostFile>& post = inputs->post;
        const std::wstring machineFile = names.machineName + L".TorlaSim";
        const std::wstring configurationFile = machineFile + L"Cfg";
        const std::wstring postName = FileNameOfPath(postPath);
        if (post && (SameFileName(postName, machineFile) || SameFileName(postName, configurationFile))) {
            return Fail(failure, "the post file " + WideToUtf8(postName) + " has the name of a machine file");
        }
        const PreparedMachine prepared = PrepareMachineExport(documentPath, orientation, guid, progress);
        if (!prepared.ok) {
            return Fail(failure, prepared.failure);
        }
        std::wstring machineFolder = targetFolder;
        if (!machineFolder.empty() && machineFolder.back() != L'\\' && machineFolder.back() != L'/') {
            machineFolder += L'\\';
        }
        machineFolder += names.machineName + L'\\';
        if (!CreateFolderTree(machineFolder)) {
            return Fail(failure, "cannot create the folder " + WideToUtf8(machineFolder));
        }
        if (progress) {
            progress("writing", 0, 0);
        }
        return WriteInto(machineFolder, machineFile, prepared.machinePayload, failure) &&
               WriteInto(machineFolder, configurationFile, prepared.configurationPayload, failure) &&
               (!post || WriteInto(machineFolder, postName, post->bytes, failure));
    } catch (const std::exception& e) {
        return Fail(failure, std::string("the installation failed: ") + e.what());
    }
}
