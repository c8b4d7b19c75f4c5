#pragma once

#include <string>

#include "export_progress.h"

// The simulator's machine folder of the current user, "%APPDATA%\Torla
// Pelora\MachineCfg\" (ending with a backslash), when it exists as a folder;
// otherwise empty. An unset or empty APPDATA, or one of 260 characters or
// more, means there is none.
std::wstring GetSimulatorMachineFolder();

// Installs the machine document at `documentPath` into `targetFolder` (the
// simulator's machine folder): the folder named after the machine receives
// <machine>.TorlaSim, <machine>.TorlaSimCfg and, when `postPath` is not
// empty, a copy of the post file; other files there stay. Each file is
// replaced only by a complete new one.
//
// orientation and guid: as for PrepareMachineExport.
// False when the preparation fails, the machine name is empty, a given post
// file cannot be read or is named like a payload file, or a file cannot be
// written. The post file is read before anything is written; a failure to
// write it comes last, after both payload files are in place. `failure`, when
// given, receives the reason (one English line, UTF-8).
bool InstallMachine(const std::wstring& documentPath, const std::wstring& targetFolder,
                    const std::wstring& orientation, const std::wstring& postPath, std::wstring* guid,
                    const ExportProgress& progress = {}, std::string* failure = nullptr);
