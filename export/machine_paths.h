#pragma once

#include <string>
#include <string_view>

// Names that the export derives from paths. Both '\' and '/' separate; the
// folders it makes up are joined with '\'.

// The text after the last separator (the whole path when there is none).
std::wstring FileNameOfPath(std::wstring_view path);

// The text before the last separator (the whole path when there is none).
std::wstring FolderOfPath(std::wstring_view path);

struct MachineDocumentNames {
    std::wstring fileName;         // Mill.5axis.mcfg
    std::wstring machineName;      // Mill.5axis: the file name up to its last '.'
    std::wstring containingFolder; // the folder the document is in
    std::wstring machineFolder;    // containing folder, '\', machine name, '\'
};

MachineDocumentNames DeriveMachineDocumentNames(std::wstring_view documentPath);

inline constexpr std::wstring_view kBundleExtension = L".TorlaSimBundle";

// The file a bundle export writes for the path the user chose: that path when
// its extension is exactly ".TorlaSimBundle", otherwise a file named after the
// machine in the chosen path's folder.
std::wstring BundleOutputPath(std::wstring_view chosenPath, std::wstring_view machineName);
