#include "colour_text.h"

#include <cwchar>

std::wstring ColourText(std::uint32_t hostColour)
{
    const auto darken = [](std::uint32_t channel) {
        return static_cast<std::uint32_t>(static_cast<float>(channel & 0xFF) * 0.72f);
    };
    const std::uint32_t r = darken(hostColour);
    const std::uint32_t g = darken(hostColour >> 8);
    const std::uint32_t b = darken(hostColour >> 16);
    wchar_t text[16] = {};
    std::swprintf(text, 16, L"0x%06x", static_cast<unsigned>(r * 65536 + g * 256 + b));
    return text;
}
