#pragma once

#include <initializer_list>
#include <string>

#include "command_line.h"
#include "file_set.h"

// The absolute form of a path given on the command line, so that names derived
// from it (the machine's folder, the bundle's folder) do not depend on how the
// user wrote it. The path itself when the system cannot resolve it.
std::wstring FullPath(const std::wstring& path);

// True when the line has `count` arguments and only the options and flags
// named; otherwise reports what is wrong.
bool CheckCommandLine(const CommandLine& line, size_t count, std::initializer_list<const wchar_t*> options,
                      std::initializer_list<const wchar_t*> flags);

// Reads a file named on the command line whole; reports why when it cannot.
bool ReadInputFile(const std::wstring& path, Bytes& bytes);
