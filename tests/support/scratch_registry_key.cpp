#include "scratch_registry_key.h"

#include <stdexcept>

#include "guid_text.h"

std::wstring UniqueTestKeyPath(const std::wstring& parentPath)
{
    return parentPath + L"\\RigsmithTest-" + MakeGuidWString();
}

ScratchRegistryKey::ScratchRegistryKey(HKEY hive, std::wstring path) : hive_(hive), path_(std::move(path))
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(hive_, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create the test's registry key");
    }
    ::RegCloseKey(key);
}

ScratchRegistryKey::~ScratchRegistryKey()
{
    ::RegDeleteTreeW(hive_, path_.c_str());
    ::RegDeleteKeyW(hive_, path_.c_str());
}

void ScratchRegistryKey::SetString(const std::wstring& valueName, const std::wstring& text, DWORD type) const
{
    ::RegSetKeyValueW(hive_, path_.c_str(), valueName.c_str(), type, text.c_str(),
                      static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void ScratchRegistryKey::SetStringIn(const std::wstring& subkey, const std::wstring& valueName,
                                     const std::wstring& text) const
{
    HKEY key = nullptr;
    const std::wstring path = path_ + L"\\" + subkey;
    if (::RegCreateKeyExW(hive_, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create a registry subkey");
    }
    ::RegSetValueExW(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}

void ScratchRegistryKey::SetDword(const std::wstring& valueName, DWORD value) const
{
    ::RegSetKeyValueW(hive_, path_.c_str(), valueName.c_str(), REG_DWORD, &value, sizeof(value));
}

void ScratchRegistryKey::SetBinary(const std::wstring& valueName, const void* data, DWORD size) const
{
    ::RegSetKeyValueW(hive_, path_.c_str(), valueName.c_str(), REG_BINARY, data, size);
}
