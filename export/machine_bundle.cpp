#include "machine_bundle.h"

#include <exception>
#include <optional>
#include <utility>

#include "export_failure.h"
#include "export_inputs.h"
#include "file_replacement.h"
#include "machine_bundle_assembly.h"
#include "machine_paths.h"
#include "machine_preparation.h"
#include "text_encoding.h"

bool WriteMachineBundle(const std::wstring& documentPath, const std::wstring& outputPath,
                        const std::wstring& orientation, const std::wstring& postPath, std::wstring* guid,
                        const ExportProgress& progress, std::string* failure)
{
    try {
        std::optional<ExportInputs> inputs = ReadExportInputs(documentPath, postPath, failure);
        if (!inputs) {
            return false;
        }
        const MachineDocumentNames& names = inputs->names;
        PreparedMachine prepared = PrepareMachineExport(documentPath, orientation, guid, progress);
        if (!prepared.ok) {
            return Fail(failure, prepared.failure);
        }
        const std::optional<Bytes> bundle = AssembleMachineBundle(std::move(prepared), WideToUtf8(names.machineName),
                                                                  std::move(inputs->post), progress, failure);
        if (!bundle) {
            return false;
        }
        const std::wstring target = BundleOutputPath(outputPath, names.machineName);
        if (progress) {
            progress("writing", 0, 0);
        }
        if (!WriteFileReplacing(target, *bundle)) {
            return Fail(failure, "cannot write " + WideToUtf8(target));
        }
        return true;
    } catch (const std::exception& e) {
        return Fail(failure, std::string("the export failed: ") + e.what());
    }
}
