#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>

#include "export_test_support.h"
#include "held_file.h"
#include "machine_bundle.h"
#include "sample_machine.h"
#include "whole_file.h"

namespace {

class MachineBundleTest : public testing::Test {
protected:
    bool Export(const std::wstring& output, const std::wstring& post = L"")
    {
        std::wstring guid = kSampleGuid;
        std::string failure;
        const bool written = WriteMachineBundle(document_, output, L"Don't change", post, &guid, {}, &failure);
        lastFailure_ = failure;
        return written;
    }

    std::map<std::string, std::string> BundleEntries(std::string_view relative)
    {
        Bytes bytes;
        EXPECT_EQ(ReadWholeFile(folder_.Path(relative), bytes), kWholeFileRead) << relative;
        return OpenSignedFile(bytes);
    }

    PortableScratchFolder folder_;
    std::wstring document_ = WriteSampleMachine(folder_);
    std::string lastFailure_;
};

struct OutputCase {
    const char* label;
    const char* chosen;  // relative to the scratch folder
    const char* written; // the file that must appear
    friend void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.label; }
};

class BundleOutputTest : public MachineBundleTest, public testing::WithParamInterface<OutputCase> {};

TEST_P(BundleOutputTest, WritesTheFileTheRuleNames)
{
    ASSERT_TRUE(Export(folder_.Path(GetParam().chosen))) << lastFailure_;
    EXPECT_TRUE(folder_.Exists(GetParam().written));
    const auto entries = BundleEntries(GetParam().written);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.begin()->first, "Mill.TorlaSim");
    EXPECT_EQ(OpenSignedFile(ToBytes(entries.at("Mill.TorlaSim"))).at("parts\\base.stl"), kSampleGeometry);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BundleOutputTest,
    testing::Values(OutputCase{"ExactExtension", "out/mill.TorlaSimBundle", "out/mill.TorlaSimBundle"},
                    OutputCase{"NoExtension", "out/mill", "out/Mill.TorlaSimBundle"},
                    OutputCase{"OtherLetterCase", "out/mill.torlasimbundle", "out/Mill.TorlaSimBundle"},
                    OutputCase{"DotOnlyInAFolderName", "my.folder/mill", "my.folder/Mill.TorlaSimBundle"},
                    OutputCase{"MissingFoldersAreMade", "new/deeper/still/m.TorlaSimBundle",
                               "new/deeper/still/m.TorlaSimBundle"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(MachineBundleTest, ReplacesAnExistingBundle)
{
    folder_.Write("out/Mill.TorlaSimBundle", "an old bundle");
    ASSERT_TRUE(Export(folder_.Path("out/Mill.TorlaSimBundle"))) << lastFailure_;
    EXPECT_EQ(BundleEntries("out/Mill.TorlaSimBundle").size(), 2u);
}

TEST_F(MachineBundleTest, CarriesThePostUnderItsFileName)
{
    folder_.Write("posts/mill3x.pst", "post processor");
    ASSERT_TRUE(Export(folder_.Path("out/x.TorlaSimBundle"), folder_.Path("posts/mill3x.pst"))) << lastFailure_;
    const auto entries = BundleEntries("out/x.TorlaSimBundle");
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at("mill3x.pst"), "post processor");
}

TEST_F(MachineBundleTest, WorksWithPathsOutsideTheCodePage)
{
    PortableScratchFolder other;
    const std::wstring document = WriteSampleMachine(other, "J\xC3\xB8rn \xE6\x97\xA5\xE6\x9C\xAC");
    std::wstring guid = kSampleGuid;
    ASSERT_TRUE(WriteMachineBundle(document, other.Path("J\xC3\xB8rn \xE6\x97\xA5\xE6\x9C\xAC/out/b.TorlaSimBundle"),
                                   L"Don't change", L"", &guid));
    EXPECT_TRUE(other.Exists("J\xC3\xB8rn \xE6\x97\xA5\xE6\x9C\xAC/out/b.TorlaSimBundle"));
}

TEST_F(MachineBundleTest, WritesNothingWhenTheInputsFail)
{
    EXPECT_FALSE(Export(folder_.Path("out/a.TorlaSimBundle"), folder_.Path("posts/missing.pst")));
    EXPECT_NE(lastFailure_.find("missing.pst"), std::string::npos) << lastFailure_;
    std::filesystem::remove(folder_.Root() / "machines" / "Mill" / "config.json");
    EXPECT_FALSE(Export(folder_.Path("out/a.TorlaSimBundle")));
    EXPECT_NE(lastFailure_.find("config.json"), std::string::npos) << lastFailure_;
    EXPECT_FALSE(folder_.Exists("out"));
}

struct FailureCase {
    const char* label;
    std::function<std::unique_ptr<HeldFile>(const PortableScratchFolder&)> arrange;
    const char* chosen;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.label; }
};

class BundleWriteFailureTest : public MachineBundleTest, public testing::WithParamInterface<FailureCase> {};

// A bundle that cannot be written is a failed export, and the file that was
// there stays as it was.
TEST_P(BundleWriteFailureTest, ReturnsFalseAndKeepsThePreviousFile)
{
    folder_.Write("out/Mill.TorlaSimBundle", "the previous bundle");
    folder_.Write("blocker", "a file where a folder should be");
    std::unique_ptr<HeldFile> held = GetParam().arrange(folder_);
    EXPECT_FALSE(Export(folder_.Path(GetParam().chosen)));
    EXPECT_NE(lastFailure_.find("cannot write"), std::string::npos) << lastFailure_;
    held.reset();
    EXPECT_EQ(folder_.Read("out/Mill.TorlaSimBundle"), "the previous bundle");
    EXPECT_EQ(folder_.Read("blocker"), "a file where a folder should be");
}

std::unique_ptr<HeldFile> NothingHeld(const PortableScratchFolder&) { return nullptr; }

INSTANTIATE_TEST_SUITE_P(
    Table, BundleWriteFailureTest,
    testing::Values(FailureCase{"FolderCannotBeMade", NothingHeld, "blocker/out/x.TorlaSimBundle"},
                    FailureCase{"TargetHeldWithoutSharing",
                                [](const PortableScratchFolder& f) {
                                    return std::make_unique<HeldFile>(f.Path("out/Mill.TorlaSimBundle"));
                                },
                                "out/Mill.TorlaSimBundle"},
                    FailureCase{"TargetIsAFolder",
                                [](const PortableScratchFolder& f) {
                                    f.Write("out/folder.TorlaSimBundle/inside", "x");
                                    return std::unique_ptr<HeldFile>();
                                },
                                "out/folder.TorlaSimBundle"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
