#include "work_folder.h"

#include <windows.h>

#include <filesystem>
#include <system_error>

#include "path_probe.h"

namespace {

constexpr int kMostAttempts = 100000;

bool IsFree(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    // Only "not found" makes a name free; a name that cannot be examined stays taken.
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

} // namespace

std::wstring TemporaryFolder()
{
    wchar_t buffer[MAX_PATH + 2] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 2, buffer);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    std::wstring folder(buffer, length);
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    return folder;
}

std::optional<std::wstring> CreateWorkFolder(const std::wstring& temporaryFolder)
{
    if (temporaryFolder.empty()) {
        return std::nullopt;
    }
    std::wstring base = temporaryFolder;
    if (base.back() != L'\\') {
        base += L'\\';
    }
    for (int number = 0; number < kMostAttempts; ++number) {
        const std::wstring candidate = base + L"Rigsmith" + (number == 0 ? L"" : std::to_wstring(number));
        if (!IsFree(candidate)) {
            continue;
        }
        if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
            return candidate;
        }
        // Another run took the name between the test and the creation: its
        // folder is not ours to share, so go on with the next name.
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool DeleteWorkFolder(const std::wstring& folder)
{
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(folder), error);
    return !PathExists(folder);
}
