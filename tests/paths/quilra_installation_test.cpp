#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "quilra_installation.h"
#include "scratch_folder.h"
#include "scratch_registry_key.h"

namespace {

// A registry root of the test's own in both hives, a Program Files folder and
// APPDATA inside a scratch tree.
class QuilraInstallationTest : public testing::Test {
protected:
    ScratchFolder tree_;
    ScopedEnvironmentVariable appData_{L"APPDATA", tree_ / L"Roaming"};
    const std::wstring root_ = UniqueTestKeyPath(L"Software");
    ScratchRegistryKey user_{HKEY_CURRENT_USER, root_};
    ScratchRegistryKey machine_{HKEY_LOCAL_MACHINE, root_};
    QuilraSearchPlaces places_{root_, tree_.MakeFolder(L"Program Files")};

    // An installation folder holding TorlaQuilra\TorlaQuilra.exe; returns the folder.
    std::wstring MakeInstallation(const std::wstring& name) const
    {
        tree_.WriteFile(name + L"\\TorlaQuilra\\TorlaQuilra.exe", "MZ");
        return tree_ / name;
    }
    static std::wstring Program(const std::wstring& folder) { return folder + L"\\TorlaQuilra\\TorlaQuilra.exe"; }
};

TEST_F(QuilraInstallationTest, NothingRegisteredFindsNothing)
{
    const QuilraInstallation found = FindQuilraInstallation(2022, 2029, places_);
    EXPECT_EQ(found.releaseYear, -1);
    EXPECT_EQ(found.path, L"");
    const ConfigPaths paths = LoadConfigPaths(2022, 2029, places_);
    EXPECT_EQ(paths.installPath, L"");
    EXPECT_EQ(paths.machineCfgDir, L"");
    EXPECT_EQ(paths.releaseYear, -1);
}

TEST_F(QuilraInstallationTest, NewestYearFirstAcrossHives)
{
    machine_.SetStringIn(L"Torla 2024", L"InstallPath", MakeInstallation(L"Q2024"));
    user_.SetStringIn(L"Torla 2026", L"InstallPath", MakeInstallation(L"Q2026"));
    const QuilraInstallation found = FindQuilraInstallation(2022, 2029, places_);
    EXPECT_EQ(found.releaseYear, 2026);
    EXPECT_EQ(found.path, Program(tree_ / L"Q2026"));
}

TEST_F(QuilraInstallationTest, WithinAYearUserHiveThenKeyWithoutTheProductWord)
{
    user_.SetStringIn(L"Torla Quilra 2025", L"InstallPath", MakeInstallation(L"UserWithWord"));
    machine_.SetStringIn(L"Torla 2025", L"InstallPath", MakeInstallation(L"MachinePlain"));
    EXPECT_EQ(FindQuilraInstallation(2022, 2029, places_).path, Program(tree_ / L"MachinePlain"));

    user_.SetStringIn(L"Torla 2025", L"InstallPath", MakeInstallation(L"UserPlain"));
    EXPECT_EQ(FindQuilraInstallation(2022, 2029, places_).path, Program(tree_ / L"UserPlain"));
}

TEST_F(QuilraInstallationTest, InstallPathWithoutTheProgramFallsBackToProgramFiles)
{
    user_.SetStringIn(L"Torla 2027", L"InstallPath", tree_.MakeFolder(L"Empty"));
    tree_.MakeFolder(L"Program Files\\Torla 2027\\TorlaQuilra");
    const QuilraInstallation found = FindQuilraInstallation(2022, 2029, places_);
    EXPECT_EQ(found.releaseYear, 2027);
    EXPECT_EQ(found.path, places_.programFiles + L"\\Torla 2027\\TorlaQuilra\\");
}

TEST_F(QuilraInstallationTest, YearRangeStartsAt2022)
{
    user_.SetStringIn(L"Torla 2021", L"InstallPath", MakeInstallation(L"Q2021"));
    EXPECT_EQ(FindQuilraInstallation(2010, 2029, places_).releaseYear, -1);

    user_.SetStringIn(L"Torla 2022", L"InstallPath", MakeInstallation(L"Q2022"));
    EXPECT_EQ(FindQuilraInstallation(2010, 2029, places_).releaseYear, 2022);
    EXPECT_EQ(FindQuilraInstallation(2010, 2021, places_).releaseYear, -1);
    EXPECT_EQ(FindQuilraInstallation(2023, 2029, places_).releaseYear, -1);
}

TEST_F(QuilraInstallationTest, DefaultsUnderAppDataWithoutAConfigurationFile)
{
    user_.SetStringIn(L"Torla 2026", L"InstallPath", MakeInstallation(L"Q"));
    const ConfigPaths paths = LoadConfigPaths(2022, 2029, places_);
    const std::wstring root = tree_ / L"Roaming\\Torla 2026\\TorlaQuilra";
    EXPECT_EQ(paths.releaseYear, 2026);
    EXPECT_EQ(paths.machineCfgDir, root + L"\\MachineCfg\\");
    EXPECT_EQ(paths.typesDir, root + L"\\Types\\");
    EXPECT_EQ(paths.cfgDir, root + L"\\Cfg\\");
    EXPECT_EQ(paths.dataDir, root + L"\\Data\\");
}

TEST_F(QuilraInstallationTest, ConfigurationFileBesideTheProgramOrInTheFolder)
{
    tree_.WriteFile(L"Program Files\\Torla 2023\\TorlaQuilra\\ConfigPaths.cfg", "MACHINECFG=D:\\Shared\\M\r\n");
    const ConfigPaths fromFolder = LoadConfigPaths(2022, 2029, places_);
    EXPECT_EQ(fromFolder.installPath, places_.programFiles + L"\\Torla 2023\\TorlaQuilra\\");
    EXPECT_EQ(fromFolder.machineCfgDir, L"D:\\Shared\\M\\");

    const std::wstring folder = MakeInstallation(L"Q");
    tree_.WriteFile(L"Q\\TorlaQuilra\\ConfigPaths.cfg", "MACHINECFG=E:\\M\n");
    user_.SetStringIn(L"Torla 2024", L"InstallPath", folder);
    const ConfigPaths fromProgram = LoadConfigPaths(2022, 2029, places_);
    EXPECT_EQ(fromProgram.installPath, Program(folder));
    EXPECT_EQ(fromProgram.machineCfgDir, L"E:\\M\\");
}

} // namespace
