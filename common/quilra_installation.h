#pragma once

#include <cstdint>
#include <string>

#include "config_paths.h"

// Where to look for Torla Quilra: the registry keys "<root>\Torla <year>" and
// "<root>\Torla Quilra <year>" under the current user's and the machine's hive,
// then "<Program Files>\Torla <year>\TorlaQuilra\".
struct QuilraSearchPlaces {
    std::wstring registryRoot = L"SOFTWARE\\Torla";
    std::wstring programFiles;  // empty: the system's Program Files folder
};

struct QuilraInstallation {
    std::int32_t releaseYear = -1;
    std::wstring path;  // the program file, or the installation folder ending in "\\"
};

QuilraInstallation FindQuilraInstallation(std::int32_t fromYear, std::int32_t toYear,
                                          const QuilraSearchPlaces& places = {});

// Fills the four directories of a record whose installation is set: defaults
// under APPDATA, then the installation's "ConfigPaths.cfg".
void ReadConfigPathsFile(ConfigPaths& paths);

ConfigPaths LoadConfigPaths(std::int32_t fromYear, std::int32_t toYear, const QuilraSearchPlaces& places = {});
