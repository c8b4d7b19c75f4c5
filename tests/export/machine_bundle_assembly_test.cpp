#include <gtest/gtest.h>

#include <string>

#include "export_test_support.h"
#include "machine_bundle_assembly.h"
#include "machine_preparation.h"
#include "sample_machine.h"

namespace {

class BundleAssemblyTest : public testing::Test {
protected:
    PreparedMachine Prepare()
    {
        std::wstring guid = kSampleGuid;
        PreparedMachine prepared = PrepareMachineExport(document_, L"Don't change", &guid);
        EXPECT_TRUE(prepared.ok) << prepared.failure;
        return prepared;
    }

    PortableScratchFolder folder_;
    std::wstring document_ = WriteSampleMachine(folder_);
};

TEST_F(BundleAssemblyTest, HoldsBothPayloadsUnchangedMachineFirst)
{
    PreparedMachine prepared = Prepare();
    const Bytes machine = prepared.machinePayload;
    const Bytes configuration = prepared.configurationPayload;
    const std::optional<Bytes> bundle = AssembleMachineBundle(std::move(prepared), "Mill", std::nullopt);
    ASSERT_TRUE(bundle);
    const auto entries = OpenSignedFile(*bundle);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries.begin()->first, "Mill.TorlaSim");
    EXPECT_EQ(entries.at("Mill.TorlaSim"), ToText(machine));
    EXPECT_EQ(entries.at("Mill.TorlaSimCfg"), ToText(configuration));
}

TEST_F(BundleAssemblyTest, CarriesThePostUnderItsOwnName)
{
    const std::optional<Bytes> bundle =
        AssembleMachineBundle(Prepare(), "Mill", PostFile{"mill3x.pst", ToBytes("post text")});
    ASSERT_TRUE(bundle);
    const auto entries = OpenSignedFile(*bundle);
    EXPECT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at("mill3x.pst"), "post text");
}

TEST_F(BundleAssemblyTest, RefusesAPostNamedLikeAPayload)
{
    std::string failure;
    EXPECT_FALSE(AssembleMachineBundle(Prepare(), "Mill", PostFile{"Mill.TorlaSimCfg", ToBytes("x")}, {}, &failure));
    EXPECT_FALSE(failure.empty());
    EXPECT_FALSE(AssembleMachineBundle(PreparedMachine(), "Mill", std::nullopt));
}

TEST_F(BundleAssemblyTest, SameGuidGivesTheSameBundle)
{
    const std::optional<Bytes> first = AssembleMachineBundle(Prepare(), "Mill", std::nullopt);
    const std::optional<Bytes> second = AssembleMachineBundle(Prepare(), "Mill", std::nullopt);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(*first, *second);
}

} // namespace
