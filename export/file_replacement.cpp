#include "file_replacement.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>

#include "path_probe.h"
#include "unique_handle.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// A name beside `target` that no other writer uses: this process's id and a counter.
std::wstring TemporaryNameFor(const std::wstring& target, unsigned attempt)
{
    static std::atomic<unsigned> counter{0};
    return target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++) + L"-" +
           std::to_wstring(attempt) + L".rigsmith-part";
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    constexpr size_t kMaxWrite = size_t{64} << 20;
    while (!bytes.empty()) {
        const DWORD wanted = static_cast<DWORD>(std::min(kMaxWrite, bytes.size()));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), wanted, &written, nullptr) || written != wanted) {
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

// Writes the bytes to a new file of its own; its name goes to `temporary` once it exists.
bool WriteTemporaryFile(const std::wstring& target, std::span<const std::uint8_t> bytes, std::wstring& temporary)
{
    UniqueHandle file;
    std::wstring name;
    for (unsigned attempt = 0; attempt < 16 && !file; ++attempt) {
        name = TemporaryNameFor(target, attempt);
        file.Reset(::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && ::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) {
            return false;
        }
    }
    if (!file) {
        return false;
    }
    temporary = name;
    const bool written = WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get());
    const bool closed = ::CloseHandle(file.Release()) != FALSE;
    return written && closed;
}

bool IsHeldByAnotherProgram(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// Scanners and viewers hold a file for moments; a program that keeps it open makes the move fail.
bool MoveOver(const std::wstring& temporary, const std::wstring& target)
{
    constexpr std::array<DWORD, 6> kWaitsMs = {50, 100, 200, 400, 600, 650};
    for (size_t attempt = 0;; ++attempt) {
        if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        if (attempt == kWaitsMs.size() || !IsHeldByAnotherProgram(::GetLastError()) || IsExistingFolder(target)) {
            return false;
        }
        ::Sleep(kWaitsMs[attempt]);
    }
}

} // namespace

bool CreateFolderTree(const std::wstring& folder)
{
    // Every prefix ending before a separator, from the top; the root and share
    // parts fail to be made, which is fine: the last check decides.
    for (size_t i = 1; i < folder.size(); ++i) {
        if (IsSeparator(folder[i]) && !IsSeparator(folder[i - 1])) {
            ::CreateDirectoryW(folder.substr(0, i).c_str(), nullptr);
        }
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return IsExistingFolder(folder);
}

bool WriteFileReplacing(const std::wstring& path, std::span<const std::uint8_t> bytes)
{
    const size_t separator = path.find_last_of(L"\\/");
    if (path.empty() || IsSeparator(path.back()) || IsExistingFolder(path)) {
        return false;
    }
    if (separator != std::wstring::npos && separator > 0 && !CreateFolderTree(path.substr(0, separator))) {
        return false;
    }
    std::wstring temporary;
    if (WriteTemporaryFile(path, bytes, temporary) && MoveOver(temporary, path)) {
        return true;
    }
    if (!temporary.empty()) {
        ::DeleteFileW(temporary.c_str());
    }
    return false;
}
