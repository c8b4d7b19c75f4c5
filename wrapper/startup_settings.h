#pragma once

#include <string>

#include "config_paths.h"

// The machine directory when none is given: the editor product's machine folder
// when it is installed and holds a machine, else the default one. UTF-8.
std::string StartupMachineDirectory(const ConfigPaths& paths);

// The folders whose machines the editor offers ready-made, ";"-separated: the
// editor product's own machine folder (when installed), then this product's
// generic machines folder, always last. UTF-8.
std::string PreconfiguredMachineList(const ConfigPaths& paths, const std::string& installDirectoryUtf8);
