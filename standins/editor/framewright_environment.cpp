#include "framewright_environment.h"

#include <windows.h>

std::wstring ReadEnvironmentText(const wchar_t* name)
{
    std::wstring value(64, L'\0');
    for (;;) {
        const DWORD needed = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (needed < value.size()) {
            value.resize(needed); // 0 when the variable is missing
            return value;
        }
        value.resize(needed);
    }
}
