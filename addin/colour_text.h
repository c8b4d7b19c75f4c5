#pragma once

#include <cstdint>
#include <string>

// The display colour text of a host colour (red in bits 0-7, green 8-15, blue
// 16-23): each channel darkened to 72 %, written as "0x" and at least six
// lower-case hexadecimal digits.
std::wstring ColourText(std::uint32_t hostColour);
