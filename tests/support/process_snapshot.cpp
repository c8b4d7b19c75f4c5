#include "process_snapshot.h"

#include <tlhelp32.h>

#include "unique_handle.h"

std::vector<DWORD> ChildProcessIds(DWORD parentId, const std::wstring& programName)
{
    std::vector<DWORD> ids;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID == parentId && ::lstrcmpiW(entry.szExeFile, programName.c_str()) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    return ids;
}

int ThreadCount(DWORD processId)
{
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) {
        return -1;
    }
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry)) {
        if (entry.th32OwnerProcessID == processId) {
            ++count;
        }
    }
    return count;
}

void TerminateProcesses(const std::vector<DWORD>& processIds)
{
    for (const DWORD id : processIds) {
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process && ::TerminateProcess(process.Get(), 99)) {
            ::WaitForSingleObject(process.Get(), 5000);
        }
    }
}
