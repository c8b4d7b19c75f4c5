#include "export_inputs.h"

#include "export_failure.h"

std::optional<ExportInputs> ReadExportInputs(const std::wstring& documentPath, const std::wstring& postPath,
                                             std::string* failure)
{
    ExportInputs inputs;
    inputs.names = DeriveMachineDocumentNames(documentPath);
    if (inputs.names.machineName.empty()) {
        Fail(failure, "the machine document's file name gives no machine name");
        return std::nullopt;
    }
    if (!ReadPostFile(postPath, inputs.post, failure)) {
        return std::nullopt;
    }
    return inputs;
}
