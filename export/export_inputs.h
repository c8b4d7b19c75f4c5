#pragma once

#include <optional>
#include <string>

#include "machine_paths.h"
#include "post_file.h"

// What both exports take from their arguments before preparing anything: the
// names derived from the machine document and the post file, if one is given.
struct ExportInputs {
    MachineDocumentNames names;
    std::optional<PostFile> post;
};

// Empty, with the reason in `failure` when given, when the document's file
// name gives no machine name or a given post file cannot be read.
std::optional<ExportInputs> ReadExportInputs(const std::wstring& documentPath, const std::wstring& postPath,
                                             std::string* failure);
