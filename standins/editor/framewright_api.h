#pragma once

// The editor library's entry points as its host calls them. Texts are narrow
// and NUL-terminated (this stand-in reads them as UTF-8); every length counts
// bytes without the terminator.
extern "C" {
using FramewrightGeometryCallback = void (*)(char* buffer);
using FramewrightExportCallback = void (*)(const char* machineDocumentUtf8);

void SetCreateSTLFunc(FramewrightGeometryCallback callback);
void SetExportFunc(FramewrightExportCallback callback);
void SetPreconfiguredMachineDirectory(const char* folderList, int folderListLength);
// Returns when the user (or the script) closes the editor. Arguments 3, 4 and 8
// are always an empty text, 0 and null.
void RunFramewright(const char* machineDirectory, int machineDirectoryLength, const char* reservedText,
                    int reservedTextLength, int defaultUnit, const char* language, int languageLength,
                    void* reserved);
}

// The size of the buffer the geometry callback receives, terminator included.
inline constexpr int kFramewrightGeometryBufferSize = 10240;
