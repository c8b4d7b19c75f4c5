#pragma once

#include "command_line.h"

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1; // the work failed, or a file is malformed or its signature fails
inline constexpr int kExitUsage = 2;   // the command line is wrong

int RunExport(const CommandLine& line);
int RunInstall(const CommandLine& line);
int RunInspect(const CommandLine& line);
int RunUnpack(const CommandLine& line);
