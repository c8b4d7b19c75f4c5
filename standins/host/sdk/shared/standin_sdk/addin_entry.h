#pragma once

// What the host calls in an add-in library, by these export names (plain C names).

extern "C" {
// Given the host's version number; answers the version the add-in was built
// for. The host loads the add-in only when the answer equals its own version.
using AddinVersionEntry = int (*)(int hostVersion);
// The add-in's command; the argument is the host's and may be null.
using AddinCommandEntry = int (*)(void* parameters);
}

inline constexpr char ADDIN_VERSION_ENTRY[] = "m_version";
inline constexpr char ADDIN_COMMAND_ENTRY[] = "m_main";
