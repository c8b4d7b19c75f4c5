#pragma once

#include <optional>
#include <string>

namespace standin {

// The file's bytes; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);

} // namespace standin
