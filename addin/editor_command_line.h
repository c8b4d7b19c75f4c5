#pragma once

#include <string>

// The command line that starts the editor host program. The program path is
// not quoted: the program finds its options by name, so blanks in the path do
// no harm.
std::wstring BuildEditorCommandLine(const std::wstring& programPath, const std::wstring& language,
                                    const std::wstring& machineDirectory, bool hostIsMetric,
                                    const std::wstring& pipeName);
