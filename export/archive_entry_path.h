#pragma once

#include <optional>
#include <string>
#include <string_view>

// The relative path ('\'-separated) under which an archive entry may be
// written below a folder of the user's choice. Empty for a name that would
// leave that folder or does not name a plain file in it: an absolute or
// drive-relative path, a ".." (or any part Windows would trim to one: parts
// ending in '.' or ' '), a stream name (':'), a device name such as NUL or
// COM1, a character Windows forbids in file names, or a trailing separator.
std::optional<std::wstring> EntryPathBelowFolder(std::string_view entryName);
