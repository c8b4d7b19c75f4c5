#pragma once

#include <string>

#include "export_progress.h"
#include "file_set.h"

// The orientation text that leaves the machine's orientation as it is (what
// the export dialog passes).
inline constexpr wchar_t kUnchangedOrientation[] = L"Don't change";

// The two signed payloads of a machine export.
struct PreparedMachine {
    Bytes machinePayload;       // signed archive of "config.json" and every geometry file found
    Bytes configurationPayload; // signed archive of "config.json" alone
    bool ok = false;            // false: the payloads are empty and not to be used
    std::string failure;        // when not ok, why (one English line, UTF-8)
};

// Reads the machine document at `documentPath` and the "config.json" of its
// machine folder, merges the user's geometry, sets the header's GUID and
// orientation, and archives and signs the result with every geometry file its
// "Path" values name (looked up in the machine folder, then beside the document).
//
// orientation: "Vertical", "Horizontal" or "Lathe" set the header's
//   "Orientation"; any other text (the dialog passes "Don't change") leaves it.
// guid: nullptr leaves the header's "GUID" alone; a non-empty text is written
//   into it; an empty text receives the header's GUID.
//
// Not ok when a document cannot be read or parsed, the document's root,
// "MachineDefinition" or "Header" is not an object, an empty `guid` is to
// receive a "GUID" that is not text, the key cannot be loaded, or an archive
// would not fit its 32-bit lengths. Nothing is written to disk.
PreparedMachine PrepareMachineExport(const std::wstring& documentPath, const std::wstring& orientation,
                                     std::wstring* guid = nullptr, const ExportProgress& progress = {});
