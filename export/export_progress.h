#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

// How far a long export step has got: the step's name ("compressing the
// machine", ...), the bytes it has done and the bytes it has in all. Called on
// the exporting thread; an empty function reports nothing.
using ExportProgress = std::function<void(std::string_view step, std::uint64_t done, std::uint64_t total)>;
