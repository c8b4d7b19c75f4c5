#include <gtest/gtest.h>

#include <string>

#include "machine_paths.h"

namespace {

struct NamesCase {
    const char* label;
    std::wstring document;
    std::wstring machineName;
    std::wstring containingFolder;
    std::wstring machineFolder;

    friend void PrintTo(const NamesCase& c, std::ostream* os) { *os << c.label; }
};

class MachineDocumentNamesTest : public testing::TestWithParam<NamesCase> {};

TEST_P(MachineDocumentNamesTest, FollowTheDocumentPath)
{
    const MachineDocumentNames names = DeriveMachineDocumentNames(GetParam().document);
    EXPECT_EQ(names.machineName, GetParam().machineName);
    EXPECT_EQ(names.containingFolder, GetParam().containingFolder);
    EXPECT_EQ(names.machineFolder, GetParam().machineFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MachineDocumentNamesTest,
    testing::Values(NamesCase{"TwoDots", L"C:\\m\\Mill.5axis.mcfg", L"Mill.5axis", L"C:\\m", L"C:\\m\\Mill.5axis\\"},
                    NamesCase{"NoExtension", L"C:\\m\\Lathe", L"Lathe", L"C:\\m", L"C:\\m\\Lathe\\"},
                    NamesCase{"ForwardSlashes", L"C:/m/x/Mill.mcfg", L"Mill", L"C:/m/x", L"C:/m/x\\Mill\\"},
                    NamesCase{"DotInFolderOnly", L"C:\\a.b\\Mill", L"Mill", L"C:\\a.b", L"C:\\a.b\\Mill\\"},
                    NamesCase{"NoSeparator", L"Mill.mcfg", L"Mill", L"Mill.mcfg", L"Mill.mcfg\\Mill\\"}),
    [](const auto& info) { return std::string(info.param.label); });

struct OutputCase {
    const char* label;
    std::wstring chosen;
    std::wstring written;

    friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.label; }
};

class BundleOutputPathTest : public testing::TestWithParam<OutputCase> {};

TEST_P(BundleOutputPathTest, KeepsOnlyTheExactExtension)
{
    EXPECT_EQ(BundleOutputPath(GetParam().chosen, L"Mill"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BundleOutputPathTest,
    testing::Values(OutputCase{"ExactExtension", L"D:\\out\\mill.TorlaSimBundle", L"D:\\out\\mill.TorlaSimBundle"},
                    OutputCase{"NoExtension", L"D:\\out\\mill", L"D:\\out\\Mill.TorlaSimBundle"},
                    OutputCase{"OtherLetterCase", L"D:\\out\\mill.torlasimbundle", L"D:\\out\\Mill.TorlaSimBundle"},
                    OutputCase{"DotInFolderOnly", L"D:\\my.folder\\mill", L"D:\\my.folder\\Mill.TorlaSimBundle"},
                    OutputCase{"ForwardSlash", L"D:/out/x.zip", L"D:/out\\Mill.TorlaSimBundle"},
                    OutputCase{"TrailingSeparator", L"D:\\out\\", L"D:\\out\\Mill.TorlaSimBundle"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FileNameOfPath, IsTheTextAfterTheLastSeparator)
{
    EXPECT_EQ(FileNameOfPath(L"C:\\posts\\mill3x.pst"), L"mill3x.pst");
    EXPECT_EQ(FileNameOfPath(L"C:/posts\\x/mill3x.pst"), L"mill3x.pst");
    EXPECT_EQ(FileNameOfPath(L"mill3x.pst"), L"mill3x.pst");
    EXPECT_EQ(FileNameOfPath(L"C:\\posts\\"), L"");
}

} // namespace
