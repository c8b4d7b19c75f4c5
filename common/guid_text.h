#pragma once

#include <string>

// A fresh GUID as 36 upper-case hexadecimal characters in groups of 8-4-4-4-12,
// without braces. Empty when the system cannot make one.
std::string MakeGuidString();
std::wstring MakeGuidWString();
