#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "machine_directory.h"
#include "scratch_folder.h"
#include "text_encoding.h"

namespace {

struct FolderCase {
    const char* name;
    std::vector<std::wstring> files;
    std::vector<std::wstring> folders;
    bool hasMachineFile;
    friend void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }
};

class FolderHasMachineFileTest : public testing::TestWithParam<FolderCase> {};

TEST_P(FolderHasMachineFileTest, LooksOnlyAtRegularFilesDirectlyInside)
{
    ScratchFolder tree;
    const std::wstring folder = tree.MakeFolder(L"Machines");
    for (const auto& file : GetParam().files) {
        tree.WriteFile(L"Machines\\" + file, "{}");
    }
    for (const auto& sub : GetParam().folders) {
        tree.MakeFolder(L"Machines\\" + sub);
    }
    EXPECT_EQ(FolderHasMachineFile(folder), GetParam().hasMachineFile);
    EXPECT_EQ(FolderHasMachineFile(folder + L"\\"), GetParam().hasMachineFile);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FolderHasMachineFileTest,
    testing::Values(FolderCase{"Empty", {}, {}, false}, FolderCase{"LowerCase", {L"mill.mcfg"}, {}, true},
                    FolderCase{"UpperCase", {L"BIG.MCFG"}, {}, true},
                    FolderCase{"WholeNameIsTheExtension", {L".mcfg"}, {}, false},
                    FolderCase{"BackupCopy", {L"a.mcfg.bak"}, {}, false},
                    FolderCase{"OtherExtensions", {L"a.json", L"mcfg"}, {}, false},
                    FolderCase{"OnlySubFolders", {}, {L"x.mcfg", L"y"}, false},
                    FolderCase{"FileInASubFolderDoesNotCount", {L"sub\\deep.mcfg"}, {}, false},
                    FolderCase{"AmongOthers", {L"a.txt", L"b.Mcfg"}, {L"c.mcfg"}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FolderHasMachineFile, MissingFolderOrAFileGivesFalse)
{
    ScratchFolder tree;
    const std::wstring file = tree.WriteFile(L"a.mcfg", "{}");
    EXPECT_FALSE(FolderHasMachineFile(tree / L"missing"));
    EXPECT_FALSE(FolderHasMachineFile(file));
    EXPECT_FALSE(FolderHasMachineFile(std::wstring()));
    EXPECT_TRUE(IsExistingFolder(tree.Path()));
    EXPECT_FALSE(IsExistingFolder(file));
    EXPECT_FALSE(IsExistingFolder(tree / L"missing"));
}

TEST(FolderHasMachineFile, Utf8FormFindsNamesOutsideTheCodePage)
{
    ScratchFolder tree;
    tree.WriteFile(L"\u6A5F\u68B0 M\u00E4schinen\\\u03C6.mcfg", "{}");
    const std::string folder = WideToUtf8(tree / L"\u6A5F\u68B0 M\u00E4schinen");
    EXPECT_TRUE(IsExistingFolder(folder));
    EXPECT_TRUE(FolderHasMachineFile(folder));
}

class DefaultMachineDirectoryTest : public testing::Test {
protected:
    ScratchFolder tree_;
    ScopedEnvironmentVariable appData_{L"APPDATA", tree_.Path()};

    std::wstring Candidate(int year) const
    {
        return tree_.Path() + L"\\Torla " + std::to_wstring(year) + L"\\TorlaQuilra\\MachineCfg\\";
    }
    void AddMachine(int year) const
    {
        tree_.WriteFile(L"Torla " + std::to_wstring(year) + L"\\TorlaQuilra\\MachineCfg\\m.mcfg", "{}");
    }
    std::wstring Fallback() const { return tree_.Path() + L"\\Torla Pelora\\Rigsmith\\"; }
};

TEST_F(DefaultMachineDirectoryTest, NewestReleaseWithAMachineFileWins)
{
    AddMachine(2022);
    EXPECT_EQ(DefaultMachineDirectory(), Candidate(2022));
    AddMachine(2024);
    EXPECT_EQ(DefaultMachineDirectory(), Candidate(2024));
    AddMachine(2026);
    EXPECT_EQ(DefaultMachineDirectory(), Candidate(2026));
    EXPECT_EQ(DefaultMachineDirectoryUtf8(), WideToUtf8(Candidate(2026)));
}

TEST_F(DefaultMachineDirectoryTest, ReleasesOutsideTheRangeAndEmptyCandidatesAreSkipped)
{
    AddMachine(2027);
    AddMachine(2021);
    tree_.MakeFolder(L"Torla 2025\\TorlaQuilra\\MachineCfg\\only.mcfg");
    tree_.WriteFile(L"Torla 2023\\TorlaQuilra\\MachineCfg\\notes.txt", "");
    tree_.MakeFolder(L"Torla Pelora");
    EXPECT_EQ(DefaultMachineDirectory(), Fallback());
}

TEST_F(DefaultMachineDirectoryTest, FallbackFolderIsCreatedOnlyWhenItsParentExists)
{
    EXPECT_EQ(DefaultMachineDirectory(), Fallback());
    EXPECT_FALSE(IsExistingFolder(Fallback())) << "the simulator's folder is not made for it";

    tree_.MakeFolder(L"Torla Pelora");
    EXPECT_EQ(DefaultMachineDirectory(), Fallback());
    EXPECT_TRUE(IsExistingFolder(Fallback()));
}

TEST_F(DefaultMachineDirectoryTest, UnusableAppDataGivesNoDirectory)
{
    {
        ScopedEnvironmentVariable missing(L"APPDATA", nullptr);
        EXPECT_EQ(DefaultMachineDirectory(), L"");
        EXPECT_EQ(DefaultMachineDirectoryUtf8(), "");
    }
    {
        ScopedEnvironmentVariable tooLong(L"APPDATA", L"C:\\" + std::wstring(300, L'a'));
        EXPECT_EQ(DefaultMachineDirectory(), L"");
    }
}

} // namespace
