#pragma once

#include <cstdint>
#include <span>
#include <string>

// Creates `folder` and every missing folder above it. True when it exists as a
// folder afterwards.
bool CreateFolderTree(const std::wstring& folder);

// Puts `bytes` in the file at `path`, creating the folders above it: the bytes
// go to a new file beside it, which is flushed and closed and only then moved
// over `path` (retried for a few seconds while another program holds it). So
// `path` either keeps its old content or has the whole new content; no
// truncated file is ever left. False on any failure, including a `path` that
// is a folder.
bool WriteFileReplacing(const std::wstring& path, std::span<const std::uint8_t> bytes);
