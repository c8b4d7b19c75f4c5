#pragma once

#include <string>
#include <vector>

// The folders the editor offers machines from: the machine directory first,
// then each entry of the ";"-separated preconfigured list; empty entries dropped.
std::vector<std::wstring> MachineFolders(const std::string& machineDirectoryUtf8,
                                         const std::string& preconfiguredFoldersUtf8);

// Full paths of the machine documents directly inside the folders: files whose
// extension is ".mcfg" in any letter case. Folder by folder, each folder's in
// name order; a folder that cannot be listed adds nothing, and a document
// reached twice is listed once.
std::vector<std::wstring> ListMachineDocuments(const std::vector<std::wstring>& folders);
