#pragma once

#include <windows.h>

#include <string>

// A unique key name below parentPath, for a test's own registry key.
std::wstring UniqueTestKeyPath(const std::wstring& parentPath);

// A registry key of the test's own, created at the given path and removed with
// all that was written below it when the object goes.
class ScratchRegistryKey {
public:
    ScratchRegistryKey(HKEY hive, std::wstring path);
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    [[nodiscard]] HKEY Hive() const noexcept { return hive_; }
    [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }

    void SetString(const std::wstring& valueName, const std::wstring& text, DWORD type = REG_SZ) const;
    // A string value in a subkey, created when missing.
    void SetStringIn(const std::wstring& subkey, const std::wstring& valueName, const std::wstring& text) const;
    void SetDword(const std::wstring& valueName, DWORD value) const;
    void SetBinary(const std::wstring& valueName, const void* data, DWORD size) const;

private:
    HKEY hive_;
    std::wstring path_;
};
