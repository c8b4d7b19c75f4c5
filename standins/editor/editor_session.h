#pragma once

#include <string>

#include "framewright_api.h"

// What the host handed over before running the editor.
struct EditorSession {
    FramewrightGeometryCallback geometryCallback = nullptr;
    FramewrightExportCallback exportCallback = nullptr;
    std::string preconfiguredFolders; // UTF-8, ";"-separated
    std::string machineDirectory;     // UTF-8
};
