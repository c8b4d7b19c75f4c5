#pragma once

#include <string>

// Message boxes of the editor host program, which has no window of its own.
inline constexpr wchar_t kWrapperCaption[] = L"Torla Rigsmith";

void ShowUserError(const std::wstring& text);
void ShowUserWarning(const std::wstring& text);
