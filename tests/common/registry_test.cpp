#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "install_location.h"
#include "registry.h"
#include "scratch_registry_key.h"
#include "text_encoding.h"

namespace {

// Debugger output is delivered as a first-chance exception that a process
// without a debugger ignores; a vectored handler sees it, narrow or wide.
class DebugOutputCapture {
public:
    DebugOutputCapture() { handler_ = ::AddVectoredExceptionHandler(1, &Capture); Captured().clear(); }
    ~DebugOutputCapture() { ::RemoveVectoredExceptionHandler(handler_); }
    static std::wstring& Captured()
    {
        static std::wstring text;
        return text;
    }

private:
    static LONG CALLBACK Capture(EXCEPTION_POINTERS* info)
    {
        constexpr DWORD kDbgPrintExceptionC = 0x40010006;
        constexpr DWORD kDbgPrintExceptionWideC = 0x4001000A;
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (record->NumberParameters >= 2 && record->ExceptionCode == kDbgPrintExceptionWideC) {
            Captured() += reinterpret_cast<const wchar_t*>(record->ExceptionInformation[1]);
        } else if (record->NumberParameters >= 2 && record->ExceptionCode == kDbgPrintExceptionC) {
            const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
            Captured() += std::wstring(text, text + std::char_traits<char>::length(text));
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }
    void* handler_ = nullptr;
};

constexpr wchar_t kFailureText[] = L"Cannot read string from registry";

class RegistryTest : public testing::Test {
protected:
    ScratchRegistryKey key_{HKEY_CURRENT_USER, UniqueTestKeyPath(L"Software")};
};

TEST_F(RegistryTest, ReadsAStringValue)
{
    key_.SetString(L"InstallPath", L"D:\\Torla\\");
    EXPECT_EQ(ReadRegistryString(key_.Hive(), key_.Path(), L"InstallPath"), L"D:\\Torla\\");
}

TEST_F(RegistryTest, EmptyStringIsReadWithoutFailureText)
{
    key_.SetString(L"Empty", L"");
    DebugOutputCapture capture;
    EXPECT_EQ(ReadRegistryString(key_.Hive(), key_.Path(), L"Empty"), L"");
    EXPECT_EQ(DebugOutputCapture::Captured().find(kFailureText), std::wstring::npos);
}

TEST_F(RegistryTest, FailuresGiveEmptyTextAndTellTheDebugger)
{
    key_.SetDword(L"Number", 7);
    const std::pair<std::wstring, std::wstring> failures[] = {
        {key_.Path(), L"Missing"},
        {key_.Path() + L"\\NoSuchKey", L"InstallPath"},
        {key_.Path(), L"Number"},
    };
    for (const auto& [path, value] : failures) {
        DebugOutputCapture capture;
        EXPECT_EQ(ReadRegistryString(key_.Hive(), path, value), L"") << value;
        EXPECT_NE(DebugOutputCapture::Captured().find(kFailureText), std::wstring::npos) << value;
    }
}

TEST_F(RegistryTest, LongValueIsReadWhole)
{
    const std::wstring text(5000, L'x');
    key_.SetString(L"Long", text);
    EXPECT_EQ(ReadRegistryString(key_.Hive(), key_.Path(), L"Long"), text);
}

TEST_F(RegistryTest, InstallDirectoryIsUsedAsStored)
{
    key_.SetString(L"Directory", L"E:\\Apps\\Rigsmith");
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path()), L"E:\\Apps\\Rigsmith");

    key_.SetString(L"Directory", L"%ProgramFiles%\\Rigsmith\\", REG_EXPAND_SZ);
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path()), L"%ProgramFiles%\\Rigsmith\\");
}

TEST_F(RegistryTest, InstallDirectoryFallsBackToTheDefault)
{
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path() + L"\\Missing"), kDefaultInstallDirectory);
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path()), kDefaultInstallDirectory);  // no value

    key_.SetDword(L"Directory", 1);
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path()), kDefaultInstallDirectory);

    key_.SetString(L"Directory", std::wstring(1024, L'd'));
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path()), kDefaultInstallDirectory);
}

TEST_F(RegistryTest, InstallDirectoryOfMaximumLength)
{
    const std::wstring longest(1023, L'd');
    key_.SetString(L"Directory", longest);
    EXPECT_EQ(ReadInstallDirectory(key_.Hive(), key_.Path()), longest);
}

TEST(InstallLocation, ProductKeyOrDefault)
{
    // Other tests of this prefix may register an install directory; only its absence is checked here.
    if (RegistryKey::OpenForQuery(HKEY_LOCAL_MACHINE, kInstallRegistryKey)) {
        GTEST_SKIP() << "the product key is present in this prefix";
    }
    EXPECT_EQ(GetInstallDirectory(), L"C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\");
    EXPECT_EQ(GetInstallDirectoryUtf8(), "C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\");
}

TEST_F(RegistryTest, InstallDirectoryOutsideAsciiInUtf8)
{
    key_.SetString(L"Directory", L"C:\\Caf\u00E9\\Rigsmith\\");
    EXPECT_EQ(WideToUtf8(ReadInstallDirectory(key_.Hive(), key_.Path())), "C:\\Caf\xC3\xA9\\Rigsmith\\");
}

} // namespace
