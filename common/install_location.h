#pragma once

#include <windows.h>

#include <string>

inline constexpr wchar_t kInstallRegistryKey[] = L"SOFTWARE\\Torla\\Torla Rigsmith for Mastercam";
inline constexpr wchar_t kInstallRegistryValue[] = L"Directory";
inline constexpr wchar_t kDefaultInstallDirectory[] = L"C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\";

// The install directory as stored (callers append names to it), or the default
// when the key or a usable "Directory" text value is missing.
std::wstring GetInstallDirectory();
// The same, UTF-8, as the editor host program uses it.
std::string GetInstallDirectoryUtf8();

// The lookup behind GetInstallDirectory, for any key.
std::wstring ReadInstallDirectory(HKEY hive, const std::wstring& keyPath);
