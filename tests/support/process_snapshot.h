#pragma once

#include <windows.h>

#include <string>
#include <vector>

// What the system's process snapshot tells about running programs.

// The processes that `parentId` started and that run the program file
// `programName` (file name only, any letter case).
std::vector<DWORD> ChildProcessIds(DWORD parentId, const std::wstring& programName);

// The number of threads the process has now.
int ThreadCount(DWORD processId);

// Ends the processes (bounded wait for each); for leftovers of a failed test.
void TerminateProcesses(const std::vector<DWORD>& processIds);
