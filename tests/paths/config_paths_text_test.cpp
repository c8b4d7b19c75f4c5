#include <gtest/gtest.h>

#include <string>

#include "config_paths.h"

namespace {

const std::wstring kAppData = L"C:\\Users\\u\\AppData\\Roaming";
const std::wstring kRoot = kAppData + L"\\Torla 2026\\TorlaQuilra";

struct FileCase {
    const char* name;
    std::string file;
    std::wstring cfgDir;
    std::wstring typesDir;
    std::wstring machineCfgDir;
    std::wstring dataDir;
    friend void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }
};

class ConfigPathsFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(ConfigPathsFileTest, AppliesTheLinesInFileOrder)
{
    PathMacros macros = MakePathMacros(kAppData, 2026);
    ConfigPaths paths;
    SetDefaultDirectories(macros, paths);
    ApplyConfigPathsText(GetParam().file, macros, paths);
    EXPECT_EQ(paths.cfgDir, GetParam().cfgDir);
    EXPECT_EQ(paths.typesDir, GetParam().typesDir);
    EXPECT_EQ(paths.machineCfgDir, GetParam().machineCfgDir);
    EXPECT_EQ(paths.dataDir, GetParam().dataDir);
}

const std::wstring kCfg = kRoot + L"\\Cfg\\";
const std::wstring kTypes = kRoot + L"\\Types\\";
const std::wstring kMachines = kRoot + L"\\MachineCfg\\";
const std::wstring kData = kRoot + L"\\Data\\";

INSTANTIATE_TEST_SUITE_P(
    Table, ConfigPathsFileTest,
    testing::Values(
        FileCase{"NoFileContent", "", kCfg, kTypes, kMachines, kData},
        FileCase{"EveryKey", "CFG=D:\\C\nTYPES=D:\\T\nMACHINECFG=D:\\M\nDATA=D:\\D\n", L"D:\\C\\", L"D:\\T\\",
                 L"D:\\M\\", L"D:\\D\\"},
        FileCase{"RootDirChangesLaterLinesOnly",
                 "MACHINECFG=%ROOTDIR%\\M1\nROOTDIR=D:\\Shared\nDATA = %ROOTDIR%\\Data\n", kCfg, kTypes,
                 kRoot + L"\\M1\\", L"D:\\Shared\\Data\\"},
        FileCase{"OnlyRootDirKeepsDefaults", "ROOTDIR=D:\\Shared\n", kCfg, kTypes, kMachines, kData},
        FileCase{"PrefixMatchCountsAsTheKey", "ROOTDIR_OLD=D:\\Old\nDATA=%ROOTDIR%\\x\nTYPESX=E:\\T\n", kCfg,
                 L"E:\\T\\", kMachines, L"D:\\Old\\x\\"},
        FileCase{"MachineCfgIsNotTakenForCfg", "MACHINECFG=D:\\M\n", kCfg, kTypes, L"D:\\M\\", kData},
        FileCase{"LowerCaseAndIndentedKeysIgnored", "machinecfg=D:\\M\n MACHINECFG=D:\\N\n\tDATA=D:\\D\n", kCfg,
                 kTypes, kMachines, kData},
        FileCase{"BlanksTrimmedAndCarriageReturnDropped", "TYPES= \t D:\\Types Here \t\r\nDATA=D:\\D\r\n", kCfg,
                 L"D:\\Types Here\\", kMachines, L"D:\\D\\"},
        FileCase{"EqualsSignInsideTheValue", "DATA=D:\\a=b\n", kCfg, kTypes, kMachines, L"D:\\a=b\\"},
        FileCase{"FinalBackslashOnlyWhenMissing", "MACHINECFG=D:\\M\\\nDATA=D:/M/\n", kCfg, kTypes, L"D:\\M\\",
                 L"D:/M/\\"},
        FileCase{"VendorDirAsWritten", "CFG=%VENDORDIR%\nTYPES=%APPDATA%\\%PRODUCTDIR%\n", L"Torla 2026\\",
                 kAppData + L"\\TorlaQuilra\\", kMachines, kData},
        FileCase{"KeyWithoutValueChangesNothing", "TYPES\nTYPES=   \t\nDATA=\n", kCfg, kTypes, kMachines, kData},
        FileCase{"LaterEntryWins", "DATA=D:\\1\nDATA=D:\\2\n", kCfg, kTypes, kMachines, L"D:\\2\\"},
        FileCase{"ByteOrderMarkHidesTheFirstKey", "\xEF\xBB\xBFMACHINECFG=D:\\M\nDATA=D:\\D", kCfg, kTypes,
                 kMachines, L"D:\\D\\"},
        FileCase{"BytesAreCharactersOfTheSameValue", "DATA=D:\\Caf\xE9\n", kCfg, kTypes, kMachines,
                 L"D:\\Caf\u00E9\\"},
        FileCase{"CommentsAndOtherKeysIgnored", "# MACHINECFG=D:\\X\nOTHER=1\n\n", kCfg, kTypes, kMachines, kData}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigPathsWithoutAppData, NoDefaultPointsAtTheDriveRoot)
{
    PathMacros macros = MakePathMacros(L"", 2026);
    ConfigPaths paths;
    SetDefaultDirectories(macros, paths);
    EXPECT_EQ(paths.machineCfgDir, L"");
    EXPECT_EQ(paths.cfgDir, L"");

    // Entries that need the missing folder are not used; absolute ones are.
    ApplyConfigPathsText("MACHINECFG=%ROOTDIR%\\M\nTYPES=%APPDATA%\\T\nDATA=D:\\D\n", macros, paths);
    EXPECT_EQ(paths.machineCfgDir, L"");
    EXPECT_EQ(paths.typesDir, L"");
    EXPECT_EQ(paths.dataDir, L"D:\\D\\");

    // A root set by the file makes later %ROOTDIR% entries usable again.
    ApplyConfigPathsText("ROOTDIR=E:\\Q\nMACHINECFG=%ROOTDIR%\\M\n", macros, paths);
    EXPECT_EQ(paths.machineCfgDir, L"E:\\Q\\M\\");
}

TEST(ValueOfLine, TrimsTheTextAfterTheFirstEqualsSign)
{
    EXPECT_EQ(ValueOfLine(L"KEY=  v = w \t\r\n"), L"v = w");
    EXPECT_EQ(ValueOfLine(L"KEY"), L"");
    EXPECT_EQ(ValueOfLine(L"KEY= \t"), L"");
    EXPECT_EQ(ValueOfLine(L"=x"), L"x");
}

TEST(ExpandPathMacros, InsertedTextIsSearchedOnlyForLaterMacros)
{
    PathMacros macros = MakePathMacros(L"A%APPDATA%%PRODUCTDIR%", 2024);
    EXPECT_EQ(ExpandPathMacros(macros, L"%APPDATA%|%APPDATA%"), L"A%APPDATA%TorlaQuilra|A%APPDATA%TorlaQuilra");
    EXPECT_EQ(ExpandPathMacros(macros, L"%VENDORDIR%\\%PRODUCTDIR%"), L"Torla 2024\\TorlaQuilra");
    EXPECT_EQ(ExpandPathMacros(macros, L"%appdata%%ROOTDIR"), L"%appdata%%ROOTDIR");
    macros.rootDir = L"R%VENDORDIR%";
    EXPECT_EQ(ExpandPathMacros(macros, L"%ROOTDIR%"), L"R%VENDORDIR%");
}

TEST(PathText, JoinAndParentFollowWindowsRules)
{
    EXPECT_EQ(JoinPath(L"D:\\Q", L"TorlaQuilra"), L"D:\\Q\\TorlaQuilra");
    EXPECT_EQ(JoinPath(L"D:\\Q\\", L"x"), L"D:\\Q\\x");
    EXPECT_EQ(JoinPath(L"D:/Q/", L"x"), L"D:/Q/x");
    EXPECT_EQ(JoinPath(L"D:", L"x"), L"D:x");
    EXPECT_EQ(JoinPath(L"", L"x"), L"x");

    EXPECT_EQ(ParentPath(L"P\\TorlaQuilra\\TorlaQuilra.exe"), L"P\\TorlaQuilra");
    EXPECT_EQ(ParentPath(L"P\\TorlaQuilra\\"), L"P\\TorlaQuilra");
    EXPECT_EQ(ParentPath(L"P\\TorlaQuilra\\\\"), L"P\\TorlaQuilra");
    EXPECT_EQ(ParentPath(L"C:\\x"), L"C:\\");
    EXPECT_EQ(ParentPath(L"C:\\"), L"C:\\");
    EXPECT_EQ(ParentPath(L"name"), L"");
}

} // namespace
