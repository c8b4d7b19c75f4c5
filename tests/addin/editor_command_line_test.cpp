#include <gtest/gtest.h>

#include <string>

#include "editor_command_line.h"

namespace {

TEST(EditorCommandLine, CarriesTheUnitUnquotedAndEndsWithTheQuotedPipeName)
{
    const std::wstring program = L"C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\TorlaRigsmithWrapper.exe";
    const std::wstring machines = L"C:\\Users\\Ann\\AppData\\Roaming\\Torla Pelora\\Rigsmith\\";
    const std::wstring pipe = L"\\\\.\\pipe\\0123456789ABCDEF0123456789ABCDEF";
    const std::wstring head = program + L" --language=\"en-US\" --machineDirectory=\"" + machines + L"\"";
    const std::wstring tail = L" --pipeName=\"" + pipe + L"\"";
    EXPECT_EQ(BuildEditorCommandLine(program, L"en-US", machines, true, pipe), head + L" --defaultUnit=0" + tail);
    EXPECT_EQ(BuildEditorCommandLine(program, L"en-US", machines, false, pipe), head + L" --defaultUnit=1" + tail);
}

} // namespace
