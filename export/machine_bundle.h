#pragma once

#include <string>

#include "export_progress.h"

// Exports the machine document at `documentPath` as one bundle file that the
// simulator's Machine Installer accepts on any computer: the signed archive of
// the machine payload, the configuration payload and the post file (when
// `postPath` is not empty). The file is `outputPath` when that ends in
// ".TorlaSimBundle", otherwise the machine's name with that extension in
// `outputPath`'s folder; missing folders are made, and an existing file is
// replaced only by a complete new one.
//
// orientation and guid: as for PrepareMachineExport.
// False when the preparation fails, the document's machine name is empty, a
// given post file cannot be read or is named like a payload, or the file
// cannot be written (any earlier file at that path is then unchanged).
// `failure`, when given, receives the reason (one English line, UTF-8).
bool WriteMachineBundle(const std::wstring& documentPath, const std::wstring& outputPath,
                        const std::wstring& orientation, const std::wstring& postPath, std::wstring* guid,
                        const ExportProgress& progress = {}, std::string* failure = nullptr);
