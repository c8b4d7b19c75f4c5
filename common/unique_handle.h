#pragma once

#include <windows.h>

#include <utility>

// Owns a kernel handle. Both "no handle" values that Win32 uses (null and
// INVALID_HANDLE_VALUE) count as empty, so it wraps any API's result as is.
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    [[nodiscard]] HANDLE Get() const noexcept { return handle_; }
    [[nodiscard]] bool IsValid() const noexcept { return IsValidHandle(handle_); }
    explicit operator bool() const noexcept { return IsValid(); }

    HANDLE Release() noexcept { return std::exchange(handle_, nullptr); }
    void Reset(HANDLE handle = nullptr) noexcept
    {
        HANDLE old = std::exchange(handle_, handle);
        if (IsValidHandle(old)) {
            ::CloseHandle(old);
        }
    }

    static bool IsValidHandle(HANDLE handle) noexcept
    {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_ = nullptr;
};
