#include "child_process.h"

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& arguments,
                           const std::wstring& workingFolder)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        process_.Reset(info.hProcess);
        ::CloseHandle(info.hThread);
        id_ = info.dwProcessId;
    }
}

ChildProcess::~ChildProcess()
{
    if (IsRunning()) {
        ::TerminateProcess(process_.Get(), 99);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (!process_ || ::WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool ChildProcess::IsRunning() const
{
    DWORD code = 0;
    return process_ && ::GetExitCodeProcess(process_.Get(), &code) && code == STILL_ACTIVE;
}
