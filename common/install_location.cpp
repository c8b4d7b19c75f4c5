#include "install_location.h"

#include "registry.h"
#include "text_encoding.h"

std::wstring ReadInstallDirectory(HKEY hive, const std::wstring& keyPath)
{
    const RegistryKey key = RegistryKey::OpenForQuery(hive, keyPath);
    if (!key) {
        return kDefaultInstallDirectory;
    }
    // Values of up to 1023 characters; an expandable string is used as stored.
    wchar_t buffer[1025] = {};
    DWORD type = 0;
    DWORD size = 1024 * sizeof(wchar_t);
    const LSTATUS status =
        ::RegQueryValueExW(key.Get(), kInstallRegistryValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return kDefaultInstallDirectory;
    }
    buffer[size / sizeof(wchar_t)] = L'\0';  // a value stored without its terminator
    std::wstring directory(buffer);
    if (directory.empty()) {
        return kDefaultInstallDirectory;
    }
    return directory;
}

std::wstring GetInstallDirectory()
{
    return ReadInstallDirectory(HKEY_LOCAL_MACHINE, kInstallRegistryKey);
}

std::string GetInstallDirectoryUtf8()
{
    return WideToUtf8(GetInstallDirectory());
}
