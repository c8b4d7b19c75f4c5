#pragma once

// The machine editor library's exports, looked up by name at run time. Texts
// are UTF-8 and NUL-terminated; lengths are byte counts without the terminator.

// Fills the editor's buffer of kEditorBufferSize bytes with a ";"-separated list of STL paths.
using CreateStlCallbackFn = void (*)(char* buffer);
// Exports the machine document at the path.
using ExportMachineCallbackFn = void (*)(const char* machinePath);

using SetCreateStlFuncFn = void (*)(CreateStlCallbackFn callback);
using SetExportFuncFn = void (*)(ExportMachineCallbackFn callback);
using SetPreconfiguredMachineDirectoryFn = void (*)(const char* list, int length);
using RunFramewrightFn = void (*)(const char* machineDirectory, int machineDirectoryLength, const char* reserved,
                                  int reservedLength, int defaultUnit, const char* language, int languageLength,
                                  void* reservedPointer);

inline constexpr unsigned kEditorBufferSize = 10240;
