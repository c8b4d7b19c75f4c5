#include "path_probe.h"

#include <windows.h>

#include <optional>

#include "text_encoding.h"
#include "unique_handle.h"

namespace {

// The attributes of what the path finally names, following links.
std::optional<DWORD> TargetAttributes(const std::wstring& path)
{
    if (path.empty()) {
        return std::nullopt;
    }
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
        return attributes;
    }
    const UniqueHandle target(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!target || !::GetFileInformationByHandle(target.Get(), &info)) {
        return std::nullopt;
    }
    return info.dwFileAttributes;
}

} // namespace

bool PathExists(const std::wstring& path)
{
    return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsExistingFolder(const std::wstring& path)
{
    const auto attributes = TargetAttributes(path);
    return attributes && (*attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsExistingFolder(const std::string& pathUtf8)
{
    return IsExistingFolder(Utf8ToWide(pathUtf8));
}

bool IsExistingRegularFile(const std::wstring& path)
{
    const auto attributes = TargetAttributes(path);
    return attributes && (*attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}
