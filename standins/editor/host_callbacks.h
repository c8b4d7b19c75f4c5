#pragma once

#include <string>

#include "framewright_api.h"

// The geometry the host answered, and whether it ended the text within the
// buffer it was given (an unterminated answer holds no usable text).
struct GeometryAnswer {
    std::string text;
    bool terminated = false;
};

// The canary that fills the geometry buffer (and a guard zone behind it) before
// the callback runs, so the log can tell exactly which bytes the host wrote.
inline constexpr char kGeometryBufferCanary = '\xCC';
inline constexpr int kGeometryBufferGuardBytes = 256;

// Calls the host's geometry callback and logs what it left in the buffer. A
// missing callback is logged and gives an empty answer.
GeometryAnswer RequestGeometry(FramewrightGeometryCallback callback);

// Calls the host's export callback with the machine document's path and logs
// the call once it has returned.
void ExportMachine(FramewrightExportCallback callback, const std::string& machineDocumentUtf8);
