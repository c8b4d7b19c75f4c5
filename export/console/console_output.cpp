#include "console_output.h"

#include <windows.h>

#include "text_encoding.h"

namespace {

bool IsConsole(HANDLE handle)
{
    DWORD mode = 0;
    return ::GetConsoleMode(handle, &mode) != FALSE;
}

void WriteTo(DWORD which, std::wstring_view text)
{
    const HANDLE handle = ::GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty()) {
        return;
    }
    if (IsConsole(handle)) {
        DWORD written = 0;
        ::WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string utf8 = WideToUtf8(text);
    DWORD written = 0;
    ::WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
}

} // namespace

void WriteToStandardOutput(std::wstring_view text) { WriteTo(STD_OUTPUT_HANDLE, text); }

void WriteToStandardError(std::wstring_view text) { WriteTo(STD_ERROR_HANDLE, text); }

bool StandardErrorIsConsole() { return IsConsole(::GetStdHandle(STD_ERROR_HANDLE)); }

void ReportError(std::wstring_view message)
{
    WriteToStandardError(L"rigsmith: " + std::wstring(message) + L"\n");
}
