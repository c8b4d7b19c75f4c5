#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "export_progress.h"
#include "file_set.h"
#include "machine_preparation.h"
#include "post_file.h"

// Entry names of a machine's payloads: the machine name followed by ".TorlaSim"
// and ".TorlaSimCfg".
std::string MachineEntryName(std::string_view machineName);
std::string ConfigurationEntryName(std::string_view machineName);

// The bytes of a bundle file: the signed archive of the machine payload, the
// configuration payload and the post file, if any. Empty when the machine was
// not prepared, the post's name is one of the payloads' names, the key cannot
// be loaded or the archive would not fit its 32-bit lengths; `failure`, when
// given, then says why. Consumes the payloads so that they are not held twice.
std::optional<Bytes> AssembleMachineBundle(PreparedMachine&& machine, std::string_view machineName,
                                           std::optional<PostFile> post, const ExportProgress& progress = {},
                                           std::string* failure = nullptr);
