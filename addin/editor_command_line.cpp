#include "editor_command_line.h"

std::wstring BuildEditorCommandLine(const std::wstring& programPath, const std::wstring& language,
                                    const std::wstring& machineDirectory, bool hostIsMetric,
                                    const std::wstring& pipeName)
{
    return programPath + L" --language=\"" + language + L"\" --machineDirectory=\"" + machineDirectory +
           L"\" --defaultUnit=" + (hostIsMetric ? L"0" : L"1") + L" --pipeName=\"" + pipeName + L"\"";
}
