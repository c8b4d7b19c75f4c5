#pragma once

#include <optional>
#include <string>

#include "unique_handle.h"

// Opens the add-in's pipe as a client, in message read mode, without waiting
// for a busy pipe. Empty when the pipe is missing, busy or refuses us.
UniqueHandle OpenGeometryPipe(const std::string& pipeNameUtf8);

// Sends "Need stl path" and returns the reply (UTF-8, possibly empty). Empty
// optional when the pipe cannot be opened, or the write or read fails.
std::optional<std::string> RequestStlPathsOverPipe(const std::string& pipeNameUtf8);

// Tells the add-in where to write generated STL files. False when the pipe
// could not be opened or the message not written.
bool SendOutputFolderMessage(const std::string& pipeNameUtf8, const std::string& folderUtf8);
