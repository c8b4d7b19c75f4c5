#pragma once

#include <string>

// Copies each machine of the generic machines folder (a ".mcfg" file and the
// folder of the same name) that the machine directory does not have yet.
// Nothing is overwritten or deleted; a machine that cannot be copied is
// skipped. Returns the number of machines copied.
int CopyMissingGenericMachines(const std::wstring& genericFolder, const std::wstring& machineDirectory);
