#pragma once

#include <optional>
#include <string>

// The run's private folder for generated STL files: the first free name of
// "Rigsmith", "Rigsmith1", "Rigsmith2", ... in the temporary folder, created
// by this run. Nothing when no folder could be made.
std::optional<std::wstring> CreateWorkFolder(const std::wstring& temporaryFolder);

// The user's temporary folder with its final backslash; empty when the system
// gives none that fits a path.
std::wstring TemporaryFolder();

// Removes the folder and everything in it. False when something is left (for
// example a file that another program keeps open).
bool DeleteWorkFolder(const std::wstring& folder);
