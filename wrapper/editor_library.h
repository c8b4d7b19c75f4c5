#pragma once

#include <string>

#include "framewright_api.h"

// What the editor is started with.
struct EditorLaunch {
    std::string machineDirectory;
    std::string preconfiguredMachines;
    int defaultUnit = 0;
    std::string language;
    CreateStlCallbackFn geometryCallback = nullptr;
    ExportMachineCallbackFn exportCallback = nullptr;
};

// Loads the editor library (from the library folder, else from the default
// install directory), registers the callbacks and runs the editor until the
// user closes it. Tells the user when the library or its run entry is missing.
void RunEditorLibrary(const EditorLaunch& launch);
