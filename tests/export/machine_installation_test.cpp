#include <gtest/gtest.h>

#include <windows.h>

#include "export_test_support.h"
#include "held_file.h"
#include "machine_bundle.h"
#include "machine_installation.h"
#include "sample_machine.h"
#include "scratch_folder.h"
#include "whole_file.h"

namespace {

// APPDATA points into the test's own folder for this test process.
class InstallationTest : public testing::Test {
protected:
    std::wstring MakeSimulatorFolder()
    {
        folder_.Write("AppData/Torla Pelora/MachineCfg/Other/Other.TorlaSim", "another machine");
        return GetSimulatorMachineFolder();
    }

    bool Install(const std::wstring& post = L"")
    {
        std::wstring guid = kSampleGuid;
        lastFailure_.clear();
        return InstallMachine(document_, MakeSimulatorFolder(), L"Don't change", post, &guid, {}, &lastFailure_);
    }

    static constexpr char kMachineFolder[] = "AppData/Torla Pelora/MachineCfg/Mill/";

    std::string Installed(std::string_view name) { return folder_.Read(std::string(kMachineFolder) + std::string(name)); }

    PortableScratchFolder folder_;
    std::wstring appData_ = folder_.Path("AppData");
    ScopedEnvironmentVariable appDataVariable_{L"APPDATA", appData_};
    std::wstring document_ = WriteSampleMachine(folder_);
    std::string lastFailure_;
};

TEST_F(InstallationTest, SimulatorFolderIsFoundOnlyAsAFolder)
{
    EXPECT_EQ(GetSimulatorMachineFolder(), L"");
    folder_.Write("AppData/Torla Pelora/MachineCfg", "a file, not a folder");
    EXPECT_EQ(GetSimulatorMachineFolder(), L"");
    std::filesystem::remove(folder_.Root() / "AppData" / "Torla Pelora" / "MachineCfg");
    folder_.Write("AppData/Torla Pelora/MachineCfg/x", "");
    EXPECT_EQ(GetSimulatorMachineFolder(), appData_ + L"\\Torla Pelora\\MachineCfg\\");
    const ScopedEnvironmentVariable unset(L"APPDATA", nullptr);
    EXPECT_EQ(GetSimulatorMachineFolder(), L"");
}

// As everywhere in the product, an APPDATA that does not fit 259 characters
// names no folder rather than a cut-off one.
TEST_F(InstallationTest, OverlongAppDataMeansNoSimulatorFolder)
{
    const std::string deep = "AppData/" + std::string(120, 'a') + "/" + std::string(120, 'b');
    folder_.Write(deep + "/Torla Pelora/MachineCfg/x", "");
    const std::wstring longAppData = folder_.Path(deep);
    ASSERT_GT(longAppData.size(), 259u);
    const ScopedEnvironmentVariable longVariable(L"APPDATA", longAppData);
    EXPECT_EQ(GetSimulatorMachineFolder(), L"");
}

TEST_F(InstallationTest, WritesTheBundlesPayloadsIntoTheMachinesFolder)
{
    ASSERT_TRUE(Install()) << lastFailure_;
    std::wstring guid = kSampleGuid;
    ASSERT_TRUE(WriteMachineBundle(document_, folder_.Path("out/b.TorlaSimBundle"), L"Don't change", L"", &guid));
    Bytes bundle;
    ASSERT_EQ(ReadWholeFile(folder_.Path("out/b.TorlaSimBundle"), bundle), kWholeFileRead);
    const auto entries = OpenSignedFile(bundle);
    EXPECT_EQ(Installed("Mill.TorlaSim"), entries.at("Mill.TorlaSim"));
    EXPECT_EQ(Installed("Mill.TorlaSimCfg"), entries.at("Mill.TorlaSimCfg"));
    EXPECT_EQ(folder_.Read("AppData/Torla Pelora/MachineCfg/Other/Other.TorlaSim"), "another machine");
}

TEST_F(InstallationTest, SecondInstallationReplacesFilesAndKeepsTheEarlierPost)
{
    folder_.Write("posts/mill3x.pst", "first post");
    ASSERT_TRUE(Install(folder_.Path("posts/mill3x.pst"))) << lastFailure_;
    EXPECT_EQ(Installed("mill3x.pst"), "first post");
    folder_.Write(std::string(kMachineFolder) + "Mill.TorlaSim", "stale");
    folder_.Write(std::string(kMachineFolder) + "notes.txt", "the user's own file");

    ASSERT_TRUE(Install()) << lastFailure_;
    EXPECT_NE(Installed("Mill.TorlaSim"), "stale");
    EXPECT_EQ(Installed("mill3x.pst"), "first post");
    EXPECT_EQ(Installed("notes.txt"), "the user's own file");

    folder_.Write("posts/mill3x.pst", "second post");
    ASSERT_TRUE(Install(folder_.Path("posts/mill3x.pst"))) << lastFailure_;
    EXPECT_EQ(Installed("mill3x.pst"), "second post");
}

TEST_F(InstallationTest, RefusesAPostThatWouldOverwriteAPayload)
{
    folder_.Write("posts/mill.torlasimcfg", "not a configuration");
    EXPECT_FALSE(Install(folder_.Path("posts/mill.torlasimcfg")));
    EXPECT_FALSE(folder_.Exists(kMachineFolder));
    EXPECT_FALSE(Install(folder_.Path("posts/missing.pst")));
    EXPECT_FALSE(folder_.Exists(kMachineFolder));
}

TEST_F(InstallationTest, MachineFileHeldByTheSimulatorFailsAndStaysAsItWas)
{
    folder_.Write(std::string(kMachineFolder) + "Mill.TorlaSim", "installed before");
    folder_.Write(std::string(kMachineFolder) + "Mill.TorlaSimCfg", "configuration before");
    {
        HeldFile held(MakeSimulatorFolder() + L"Mill\\Mill.TorlaSim");
        EXPECT_FALSE(Install());
        EXPECT_NE(lastFailure_.find("Mill.TorlaSim"), std::string::npos) << lastFailure_;
    }
    EXPECT_EQ(Installed("Mill.TorlaSim"), "installed before");
    EXPECT_EQ(Installed("Mill.TorlaSimCfg"), "configuration before");
}

TEST_F(InstallationTest, ConfigurationFileThatIsAFolderFails)
{
    folder_.Write(std::string(kMachineFolder) + "Mill.TorlaSimCfg/inside", "x");
    EXPECT_FALSE(Install());
    EXPECT_EQ(Installed("Mill.TorlaSimCfg/inside"), "x");
}

// The payloads are in place by then; the failure is still reported.
TEST_F(InstallationTest, PostThatCannotBeCopiedFailsTheInstallation)
{
    folder_.Write("posts/mill3x.pst", "new post");
    folder_.Write(std::string(kMachineFolder) + "mill3x.pst", "old post");
    {
        HeldFile held(MakeSimulatorFolder() + L"Mill\\mill3x.pst");
        EXPECT_FALSE(Install(folder_.Path("posts/mill3x.pst")));
        EXPECT_NE(lastFailure_.find("mill3x.pst"), std::string::npos) << lastFailure_;
    }
    EXPECT_EQ(Installed("mill3x.pst"), "old post");
    EXPECT_TRUE(folder_.Exists(std::string(kMachineFolder) + "Mill.TorlaSimCfg"));
}

} // namespace
