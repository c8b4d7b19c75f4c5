#include "run_statistics.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "console_output.h"

void RunStatistics::Report() const
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters))) {
        counters = {};
    }
    wchar_t line[256] = {};
    std::swprintf(line, std::size(line),
                  L"rigsmith: stats: %.3f s, peak working set %llu bytes, peak pagefile usage %llu bytes\n", seconds,
                  static_cast<unsigned long long>(counters.PeakWorkingSetSize),
                  static_cast<unsigned long long>(counters.PeakPagefileUsage));
    WriteToStandardError(line);
}
