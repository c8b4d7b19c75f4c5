#pragma once

#include <string>

// Set in the host's environment, these turn the stand-in editor into a test
// fixture: a script file to run instead of showing the window, and a log file
// that receives one line for every call and callback result.
inline constexpr wchar_t kFramewrightScriptVariable[] = L"FRAMEWRIGHT_SCRIPT";
inline constexpr wchar_t kFramewrightLogVariable[] = L"FRAMEWRIGHT_LOG";

// The variable's value; empty when it is not set.
std::wstring ReadEnvironmentText(const wchar_t* name);
