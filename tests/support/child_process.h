#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "unique_handle.h"

// A program started by a test, with this process's environment. Killed when
// the object goes and it still runs, so a hanging program cannot outlive its test.
class ChildProcess {
public:
    ChildProcess(const std::wstring& program, const std::wstring& arguments,
                 const std::wstring& workingFolder = L"");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    [[nodiscard]] bool Started() const { return process_.IsValid(); }
    [[nodiscard]] DWORD Id() const { return id_; }
    [[nodiscard]] HANDLE Handle() const { return process_.Get(); }

    // The exit code, or nothing when the program did not end in time.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs = 60000);
    [[nodiscard]] bool IsRunning() const;

private:
    UniqueHandle process_;
    DWORD id_ = 0;
};
