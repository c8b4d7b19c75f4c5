#pragma once

#include <windows.h>

#include <string>

// Owns an open registry key.
class RegistryKey {
public:
    RegistryKey() noexcept = default;
    ~RegistryKey();
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // Opens an existing key for reading values, in the process's own registry view.
    static RegistryKey OpenForQuery(HKEY hive, const std::wstring& path);

    [[nodiscard]] HKEY Get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != nullptr; }

private:
    explicit RegistryKey(HKEY key) noexcept : key_(key) {}
    HKEY key_ = nullptr;
};

// A REG_SZ value, or the empty text on any failure (then "Cannot read string from
// registry" goes to the debugger output).
std::wstring ReadRegistryString(HKEY hive, const std::wstring& keyPath, const std::wstring& valueName);
