#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// Named files to be archived: entry name (UTF-8) to bytes, one entry per name.
// std::string compares as unsigned bytes, and a name sorts before every longer
// name that begins with it: the archive's record order.
using FileSet = std::map<std::string, Bytes, std::less<>>;
