#pragma once

#include <cstddef>
#include <string_view>

// The one request the editor host program makes of the add-in; every other
// message names the folder that generated STL files go to.
inline constexpr std::string_view kNeedStlPathRequest = "Need stl path";

// Both ends read into buffers of this size: a message must stay below it.
inline constexpr std::size_t kPipeMessageBufferSize = 10240;
inline constexpr std::size_t kMaxPipeMessageLength = kPipeMessageBufferSize - 1;

inline constexpr unsigned kPipeBufferBytes = 4096;

// Used by the editor host program when no --pipeName= is given; the add-in never
// creates a pipe of this name.
inline constexpr char kDefaultPipeName[] = "\\\\.\\pipe\\TorlaRigsmithPipe";
inline constexpr char kPipeNamePrefix[] = "\\\\.\\pipe\\";
