#include "call_log.h"

#include <windows.h>

#include "framewright_environment.h"
#include "unique_handle.h"

void AppendToCallLog(const FramewrightLogRecord& record)
{
    const std::wstring path = ReadEnvironmentText(kFramewrightLogVariable);
    if (path.empty()) {
        return;
    }
    const std::string line = FormatFramewrightLogRecord(record) + "\n";
    // Opened for each record so that the lines written so far survive a crash of the host.
    const UniqueHandle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    DWORD written = 0;
    ::WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
