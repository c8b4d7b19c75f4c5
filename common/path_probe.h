#pragma once

#include <string>

// Existence tests that never throw: any failure to look (access denied, a bad
// name, a dangling link) counts as absent.

// An entry of any kind exists at the path.
bool PathExists(const std::wstring& path);

// The path names an existing folder, links followed.
bool IsExistingFolder(const std::wstring& path);
bool IsExistingFolder(const std::string& pathUtf8);

// The path names an existing regular file (not a folder), links followed.
bool IsExistingRegularFile(const std::wstring& path);
