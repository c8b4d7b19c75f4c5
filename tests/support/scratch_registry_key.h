#pragma once

#include <windows.h>

#include <string>

// A registry key of the test's own under a unique name, removed with all that
// was written below it when the object goes.
class ScratchRegistryKey {
public:
    ScratchRegistryKey(HKEY hive, const std::wstring& parentPath);
    ~ScratchRegistryKey();
    ScratchRegistryKey(const ScratchRegistryKey&) = delete;
    ScratchRegistryKey& operator=(const ScratchRegistryKey&) = delete;

    [[nodiscard]] HKEY Hive() const noexcept { return hive_; }
    [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }

    void SetString(const std::wstring& valueName, const std::wstring& text, DWORD type = REG_SZ) const;
    void SetDword(const std::wstring& valueName, DWORD value) const;
    void SetBinary(const std::wstring& valueName, const void* data, DWORD size) const;

private:
    HKEY hive_;
    std::wstring path_;
};
