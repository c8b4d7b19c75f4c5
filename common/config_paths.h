#pragma once

#include <cstdint>
#include <string>

// Where the newest Torla Quilra installation lives and its data directories,
// each ending with a backslash; all empty (and year -1) when none was found.
struct ConfigPaths {
    std::wstring installPath;
    std::wstring cfgDir;
    std::wstring typesDir;
    std::wstring machineCfgDir;
    std::wstring dataDir;
    std::int32_t releaseYear = -1;
};

// The values that "%APPDATA%", "%VENDORDIR%", "%PRODUCTDIR%" and "%ROOTDIR%"
// stand for while a configuration file is read.
struct PathMacros {
    std::wstring appData;
    std::wstring vendorDir;
    std::wstring productDir;
    std::wstring rootDir;
};

inline constexpr wchar_t kQuilraProductDir[] = L"TorlaQuilra";
inline constexpr wchar_t kConfigPathsFileName[] = L"ConfigPaths.cfg";

// The macros of one release before the file is read. An empty APPDATA leaves
// the root directory empty rather than pointing it at the drive root.
PathMacros MakePathMacros(const std::wstring& appData, std::int32_t releaseYear);

// Sets the four default directories from the macros' root directory (all empty
// when there is no root directory).
void SetDefaultDirectories(const PathMacros& macros, ConfigPaths& paths);

// Applies the lines of a "ConfigPaths.cfg" text (single-byte, each byte one
// character) to the record, in file order; "ROOTDIR" lines change the macros.
void ApplyConfigPathsText(std::string_view fileBytes, PathMacros& macros, ConfigPaths& paths);

// The text after the first "=", without leading and trailing blanks; empty when
// there is no "=" or nothing but blanks follows it.
std::wstring ValueOfLine(const std::wstring& line);

// Replaces the four macros, in a fixed order, each with its current value.
std::wstring ExpandPathMacros(const PathMacros& macros, const std::wstring& text);

// Path text helpers with Windows rules, on both '\\' and '/'.
std::wstring JoinPath(const std::wstring& first, const std::wstring& second);
std::wstring ParentPath(const std::wstring& path);
