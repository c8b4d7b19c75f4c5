#pragma once

#include <string>
#include <string_view>

// UTF-8 to UTF-16 through the system's decoder: malformed bytes become U+FFFD,
// a failed decoding gives an empty text.
std::wstring Utf8ToWide(std::string_view utf8);

// UTF-16 to UTF-8. A surrogate pair becomes one four-byte sequence; a lone
// surrogate keeps its three-byte form, so no unit is dropped. Never fails.
std::string WideToUtf8(std::wstring_view wide);
