#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole file; empty optional when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// Writes the bytes beside the file first and then moves them over it, so an
// existing file is either replaced whole or left as it was.
bool ReplaceFileBytes(const std::wstring& path, std::string_view bytes);
