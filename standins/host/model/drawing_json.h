#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "drawing.h"

namespace standin {

struct DrawingParseResult {
    std::optional<Drawing> drawing;
    std::string error;  // where and what, when there is no drawing
};

// Reads the stand-in host's drawing file format (JSON, UTF-8; described in the
// stand-in's README). Unknown members are rejected so that a misspelt member
// is not silently ignored.
DrawingParseResult ParseDrawing(std::string_view json);

} // namespace standin
