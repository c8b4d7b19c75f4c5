#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "export_test_support.h"
#include "file_replacement.h"
#include "held_file.h"

namespace {

using namespace std::chrono_literals;

// Files that a failed or finished write left behind half-made.
int PartFilesLeft(const PortableScratchFolder& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Root())) {
        count += entry.path().filename().string().ends_with(".rigsmith-part") ? 1 : 0;
    }
    return count;
}

TEST(WriteFileReplacing, WritesANewFileMakingItsFolders)
{
    PortableScratchFolder folder;
    const Bytes bytes = ToBytes("bundle bytes");
    ASSERT_TRUE(WriteFileReplacing(folder.Path("a/b/c/out.bin"), bytes));
    EXPECT_EQ(folder.Read("a/b/c/out.bin"), "bundle bytes");
    EXPECT_EQ(PartFilesLeft(folder), 0);
}

TEST(WriteFileReplacing, ReplacesAnExistingFileWhole)
{
    PortableScratchFolder folder;
    folder.Write("out.bin", std::string(100000, 'o'));
    ASSERT_TRUE(WriteFileReplacing(folder.Path("out.bin"), ToBytes("short")));
    EXPECT_EQ(folder.Read("out.bin"), "short");
    ASSERT_TRUE(WriteFileReplacing(folder.Path("out.bin"), Bytes()));
    EXPECT_EQ(folder.Read("out.bin"), "");
    EXPECT_EQ(PartFilesLeft(folder), 0);
}

TEST(WriteFileReplacing, WaitsForAProgramThatLetsGoSoon)
{
    PortableScratchFolder folder;
    folder.Write("out.bin", "old");
    HeldFile held(folder.Path("out.bin"));
    auto writing = std::async(std::launch::async, [&] { return WriteFileReplacing(folder.Path("out.bin"), ToBytes("new")); });
    std::this_thread::sleep_for(300ms);
    held.Release();
    EXPECT_TRUE(writing.get());
    EXPECT_EQ(folder.Read("out.bin"), "new");
}

struct FailureCase {
    const char* label;
    const char* target;
    // Makes the target unwritable; what it returns holds the file until the checks.
    std::function<std::unique_ptr<HeldFile>(const PortableScratchFolder&)> arrange;
    const char* unchangedFile; // written before, must keep its content
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.label; }
};

class WriteFileReplacingFailureTest : public testing::TestWithParam<FailureCase> {};

TEST_P(WriteFileReplacingFailureTest, ReturnsFalseAndKeepsWhatWasThere)
{
    PortableScratchFolder folder;
    folder.Write(GetParam().unchangedFile, "previous content");
    std::unique_ptr<HeldFile> held = GetParam().arrange(folder);
    EXPECT_FALSE(WriteFileReplacing(folder.Path(GetParam().target), ToBytes("new content")));
    held.reset();
    EXPECT_EQ(folder.Read(GetParam().unchangedFile), "previous content");
    EXPECT_EQ(PartFilesLeft(folder), 0);
}

std::unique_ptr<HeldFile> NothingHeld(const PortableScratchFolder&) { return nullptr; }

INSTANTIATE_TEST_SUITE_P(
    Table, WriteFileReplacingFailureTest,
    testing::Values(FailureCase{"TargetIsAFolder", "out/bundle", NothingHeld, "out/bundle/inside.txt"},
                    FailureCase{"FolderCannotBeMade", "blocker/sub/x.bin", NothingHeld, "blocker"},
                    FailureCase{"HeldWithoutSharing", "out/previous.bin",
                                [](const PortableScratchFolder& f) { return std::make_unique<HeldFile>(f.Path("out/previous.bin")); },
                                "out/previous.bin"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
