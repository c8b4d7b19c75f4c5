#include "user_messages.h"

#include <windows.h>

void ShowUserError(const std::wstring& text)
{
    ::MessageBoxW(nullptr, text.c_str(), kWrapperCaption, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void ShowUserWarning(const std::wstring& text)
{
    ::MessageBoxW(nullptr, text.c_str(), kWrapperCaption, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}
