#include "machine_paths.h"

namespace {

constexpr std::wstring_view kSeparators = L"\\/";

} // namespace

std::wstring FileNameOfPath(std::wstring_view path)
{
    const size_t separator = path.find_last_of(kSeparators);
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring FolderOfPath(std::wstring_view path)
{
    const size_t separator = path.find_last_of(kSeparators);
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(0, separator));
}

MachineDocumentNames DeriveMachineDocumentNames(std::wstring_view documentPath)
{
    MachineDocumentNames names;
    names.fileName = FileNameOfPath(documentPath);
    const size_t dot = names.fileName.rfind(L'.');
    names.machineName = dot == std::wstring::npos ? names.fileName : names.fileName.substr(0, dot);
    names.containingFolder = FolderOfPath(documentPath);
    names.machineFolder = names.containingFolder + L'\\' + names.machineName + L'\\';
    return names;
}

std::wstring BundleOutputPath(std::wstring_view chosenPath, std::wstring_view machineName)
{
    const size_t dot = chosenPath.rfind(L'.');
    if (dot != std::wstring_view::npos && chosenPath.substr(dot) == kBundleExtension) {
        return std::wstring(chosenPath);
    }
    return FolderOfPath(chosenPath) + L'\\' + std::wstring(machineName) + std::wstring(kBundleExtension);
}
