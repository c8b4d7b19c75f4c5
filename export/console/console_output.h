#pragma once

#include <string>
#include <string_view>

// Text for the user: a console shows it as UTF-16, a pipe or file gets UTF-8.
void WriteToStandardOutput(std::wstring_view text);
void WriteToStandardError(std::wstring_view text);

// True when standard error is a console window (where a line can be redrawn).
bool StandardErrorIsConsole();

// "rigsmith: " and the message, as one line on standard error.
void ReportError(std::wstring_view message);
