// The generic machines that come with the product are copied into the user's
// machine directory when they are missing there.

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "generic_machines.h"
#include "path_probe.h"
#include "scratch_folder.h"
#include "unique_handle.h"

namespace {

std::string Contents(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class GenericMachineCopy : public testing::Test {
protected:
    void SetUp() override
    {
        generic_ = folder_.MakeFolder(L"Generic Machines") + L"\\";
        machines_ = folder_.MakeFolder(L"Rigsmith") + L"\\";
        folder_.WriteFile(L"Generic Machines\\A.mcfg", "machine A");
        folder_.WriteFile(L"Generic Machines\\A\\config.json", "config A");
        folder_.WriteFile(L"Generic Machines\\A\\parts\\base.stl", "base A");
    }

    [[nodiscard]] std::wstring Machine(const std::wstring& relative) const { return machines_ + relative; }
    int Copy() const { return CopyMissingGenericMachines(generic_, machines_); }

    ScratchFolder folder_;
    std::wstring generic_;
    std::wstring machines_;
};

TEST_F(GenericMachineCopy, EmptyDirectoryReceivesTheMachineAndItsFolder)
{
    folder_.WriteFile(L"Generic Machines\\B.MCFG", "upper case");
    folder_.MakeFolder(L"Generic Machines\\B");
    folder_.WriteFile(L"Generic Machines\\readme.txt", "not a machine");
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(Contents(Machine(L"A.mcfg")), "machine A");
    EXPECT_EQ(Contents(Machine(L"A\\config.json")), "config A");
    EXPECT_EQ(Contents(Machine(L"A\\parts\\base.stl")), "base A");
    EXPECT_FALSE(PathExists(Machine(L"B.MCFG"))) << "the extension is compared with its letter case";
    EXPECT_FALSE(PathExists(Machine(L"B")));
    EXPECT_FALSE(PathExists(Machine(L"readme.txt")));
    EXPECT_EQ(Copy(), 0) << "a second run finds the machine present";
}

TEST_F(GenericMachineCopy, PresentMachineFileMeansNothingIsCopiedEvenWithoutItsFolder)
{
    folder_.WriteFile(L"Rigsmith\\A.mcfg", "the user's A");
    EXPECT_EQ(Copy(), 0);
    EXPECT_EQ(Contents(Machine(L"A.mcfg")), "the user's A");
    EXPECT_FALSE(PathExists(Machine(L"A")));
}

TEST_F(GenericMachineCopy, FilesTheUserHasInTheFolderAreKept)
{
    folder_.WriteFile(L"Rigsmith\\A\\config.json", "the user's config");
    EXPECT_EQ(Copy(), 1);
    EXPECT_EQ(Contents(Machine(L"A.mcfg")), "machine A");
    EXPECT_EQ(Contents(Machine(L"A\\config.json")), "the user's config");
    EXPECT_EQ(Contents(Machine(L"A\\parts\\base.stl")), "base A");
}

TEST_F(GenericMachineCopy, MachineThatCannotBeCopiedIsSkippedAndTheNextIsCopied)
{
    folder_.WriteFile(L"Generic Machines\\B.mcfg", "machine B");
    folder_.WriteFile(L"Generic Machines\\B\\config.json", "config B");
    folder_.WriteFile(L"Generic Machines\\C.mcfg", "machine C");
    folder_.WriteFile(L"Generic Machines\\C\\config.json", "config C");
    // Another program holds A.mcfg open for itself alone.
    const std::wstring locked = generic_ + L"A.mcfg";
    UniqueHandle lock(::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.IsValid());
    // A file stands where C's folder would go.
    folder_.WriteFile(L"Rigsmith\\C", "in the way");

    EXPECT_EQ(Copy(), 1);
    EXPECT_FALSE(PathExists(Machine(L"A.mcfg")));
    EXPECT_EQ(Contents(Machine(L"B.mcfg")), "machine B");
    EXPECT_EQ(Contents(Machine(L"B\\config.json")), "config B");
    // A machine file without its folder would never be completed: C waits for the next launch.
    EXPECT_FALSE(PathExists(Machine(L"C.mcfg")));
    EXPECT_EQ(Contents(Machine(L"C")), "in the way");

    lock.Reset();
    std::filesystem::remove(std::filesystem::path(Machine(L"C")));
    EXPECT_EQ(Copy(), 2);
    EXPECT_EQ(Contents(Machine(L"A\\parts\\base.stl")), "base A");
    EXPECT_EQ(Contents(Machine(L"C\\config.json")), "config C");
}

TEST_F(GenericMachineCopy, MissingFoldersCopyNothingAndRaiseNothing)
{
    EXPECT_EQ(CopyMissingGenericMachines(folder_ / L"none\\", machines_), 0);
    EXPECT_EQ(CopyMissingGenericMachines(generic_, folder_ / L"none\\"), 0);
    EXPECT_FALSE(PathExists(folder_ / L"none"));
}

} // namespace
