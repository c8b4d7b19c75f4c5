#pragma once

#include <string>

// The user's roaming application data folder from APPDATA, or the empty text
// when the variable is missing, empty or does not fit into 260 characters:
// nothing derived from it may then fall back to the drive root.
std::wstring ReadAppDataFolder();
