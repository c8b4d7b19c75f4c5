#pragma once

#include <string>

#include "path_probe.h"

inline constexpr wchar_t kMachineFileExtension[] = L".mcfg";

// At least one entry directly inside the folder is a regular file whose
// extension is ".mcfg" in any letter case. False on any file-system error.
bool FolderHasMachineFile(const std::wstring& folder);
bool FolderHasMachineFile(const std::string& folderUtf8);

// The newest release's machine folder of the editor product that holds a
// machine file, else this product's own folder under APPDATA (created when its
// parent exists). Ends with a backslash; empty when APPDATA is not usable.
std::wstring DefaultMachineDirectory();
std::string DefaultMachineDirectoryUtf8();
