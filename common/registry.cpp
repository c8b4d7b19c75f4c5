#include "registry.h"

#include <utility>

RegistryKey::~RegistryKey()
{
    if (key_ != nullptr) {
        ::RegCloseKey(key_);
    }
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept
{
    if (this != &other) {
        if (key_ != nullptr) {
            ::RegCloseKey(key_);
        }
        key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
}

RegistryKey RegistryKey::OpenForQuery(HKEY hive, const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(hive, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return {};
    }
    return RegistryKey(key);
}

std::wstring ReadRegistryString(HKEY hive, const std::wstring& keyPath, const std::wstring& valueName)
{
    static constexpr wchar_t kFailure[] = L"Cannot read string from registry";
    DWORD size = 0;
    if (::RegGetValueW(hive, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        ::OutputDebugStringW(kFailure);
        return {};
    }
    // The value may grow between the two calls; a few retries keep a moving value readable.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD written = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status = ::RegGetValueW(hive, keyPath.c_str(), valueName.c_str(), RRF_RT_REG_SZ, nullptr,
                                              text.data(), &written);
        if (status == ERROR_MORE_DATA) {
            size = written;
            continue;
        }
        if (status != ERROR_SUCCESS) {
            break;
        }
        // RegGetValueW guarantees the terminator; the text ends at the first zero unit.
        text.resize(written / sizeof(wchar_t));
        text.resize(std::wstring(text.c_str()).size());
        return text;
    }
    ::OutputDebugStringW(kFailure);
    return {};
}
