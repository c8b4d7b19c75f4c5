#include "whole_file.h"

#include <windows.h>

#include <algorithm>
#include <new>

#include "unique_handle.h"

namespace {

// Shared as the C runtime's fopen shares, so a file another program is writing can still be read.
UniqueHandle OpenForReading(const std::wstring& path)
{
    return UniqueHandle(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

} // namespace

bool IsReadableFile(const std::wstring& path)
{
    return path.find(L'\0') == std::wstring::npos && OpenForReading(path).IsValid();
}

int ReadWholeFile(const std::wstring& path, Bytes& bytes)
{
    bytes.clear();
    if (path.find(L'\0') != std::wstring::npos) {
        return kWholeFileNotReadable;
    }
    const UniqueHandle file = OpenForReading(path);
    if (!file) {
        return kWholeFileNotReadable;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        return kWholeFileReadFailed;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > 0xFFFFFFFFull) {
        return kWholeFileTooLarge;
    }
    if (size.QuadPart == 0) {
        return kWholeFileEmpty;
    }
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return kWholeFileReadFailed;
    }
    constexpr DWORD kMaxRead = DWORD{64} << 20;
    size_t offset = 0;
    while (offset < bytes.size()) {
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(kMaxRead, bytes.size() - offset));
        DWORD read = 0;
        if (!::ReadFile(file.Get(), bytes.data() + offset, wanted, &read, nullptr) || read == 0) {
            // Shortened while being read, or a read error: not the whole file.
            bytes.clear();
            return kWholeFileReadFailed;
        }
        offset += read;
    }
    return kWholeFileRead;
}
