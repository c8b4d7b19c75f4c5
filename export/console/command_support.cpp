#include "command_support.h"

#include <windows.h>

#include <algorithm>

#include "console_output.h"
#include "text_encoding.h"
#include "whole_file.h"

std::wstring FullPath(const std::wstring& path)
{
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return path;
    }
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    if (written == 0 || written >= length) {
        return path;
    }
    full.resize(written);
    return full;
}

bool CheckCommandLine(const CommandLine& line, size_t count, std::initializer_list<const wchar_t*> options,
                      std::initializer_list<const wchar_t*> flags)
{
    if (line.arguments.size() != count) {
        ReportError(line.command + L" takes " + std::to_wstring(count) + (count == 1 ? L" argument" : L" arguments") +
                    L", not " + std::to_wstring(line.arguments.size()) + L" (rigsmith --help shows how)");
        return false;
    }
    for (const auto& [name, value] : line.options) {
        if (std::none_of(options.begin(), options.end(), [&](const wchar_t* known) { return name == known; })) {
            ReportError(line.command + L" has no option --" + name);
            return false;
        }
    }
    for (const std::wstring& name : line.flags) {
        if (name != L"stats" &&
            std::none_of(flags.begin(), flags.end(), [&](const wchar_t* known) { return name == known; })) {
            ReportError(line.command + L" has no option --" + name);
            return false;
        }
    }
    return true;
}

bool ReadInputFile(const std::wstring& path, Bytes& bytes)
{
    const int read = ReadWholeFile(path, bytes);
    if (read != kWholeFileRead) {
        ReportError(Utf8ToWide(DescribeReadFailure(read, path)));
        return false;
    }
    return true;
}
