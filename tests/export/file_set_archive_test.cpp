#include <gtest/gtest.h>

#include <cryptopp/gzip.h>

#include <string>
#include <vector>

#include "export_test_support.h"
#include "file_set_archive.h"
#include "little_endian.h"

namespace {

// The uncompressed records, built by hand from the format's table.
std::string Record(const std::string& name, const std::string& data)
{
    std::string record(8, '\0');
    StoreLittleEndian32(reinterpret_cast<std::uint8_t*>(record.data()),
                        static_cast<std::uint32_t>(9 + name.size() + data.size()));
    StoreLittleEndian32(reinterpret_cast<std::uint8_t*>(record.data()) + 4, static_cast<std::uint32_t>(name.size()));
    return record + name + '\0' + data;
}

struct LayoutCase {
    const char* label;
    std::vector<std::pair<std::string, std::string>> added; // in the order they are added
    std::string content;                                    // the archive's uncompressed content

    friend void PrintTo(const LayoutCase& c, std::ostream* os) { *os << c.label; }
};

class ArchiveLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ArchiveLayoutTest, RecordsInByteOrder)
{
    FileSet files;
    for (const auto& [name, data] : GetParam().added) {
        files[name] = ToBytes(data);
    }
    const std::optional<Bytes> archive = ArchiveFileSet(files);
    ASSERT_TRUE(archive);
    EXPECT_EQ(Gunzip(*archive), GetParam().content);
}

const std::string kHundred(100, 'x');

INSTANTIATE_TEST_SUITE_P(
    Table, ArchiveLayoutTest,
    testing::Values(
        LayoutCase{"OneEntryOf100Bytes", {{"config.json", kHundred}},
                   std::string("\x78\0\0\0\x0b\0\0\0config.json\0", 20) + kHundred},
        LayoutCase{"PayloadBeforeConfiguration",
                   {{"Mill.TorlaSimCfg", "c"}, {"Mill.TorlaSim", "m"}},
                   Record("Mill.TorlaSim", "m") + Record("Mill.TorlaSimCfg", "c")},
        LayoutCase{"UpperCaseBeforeLowerCase", {{"b.pst", "1"}, {"Z.pst", "2"}, {"a.pst", "3"}},
                   Record("Z.pst", "2") + Record("a.pst", "3") + Record("b.pst", "1")},
        LayoutCase{"BytesCompareUnsigned", {{"\xC3\xA9.stl", "e"}, {"z.stl", "z"}},
                   Record("z.stl", "z") + Record("\xC3\xA9.stl", "e")},
        LayoutCase{"EntryWithoutBytes", {{"empty.stl", ""}, {"config.json", "{}"}},
                   Record("config.json", "{}") + std::string("\x12\0\0\0\x09\0\0\0empty.stl\0", 18)},
        LayoutCase{"EmptySet", {}, ""}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ArchiveFileSet, SecondEntryUnderOneNameReplacesTheFirst)
{
    FileSet files;
    files["a"] = ToBytes("first");
    files["a"] = ToBytes("second");
    const std::optional<Bytes> archive = ArchiveFileSet(files);
    ASSERT_TRUE(archive);
    EXPECT_EQ(Gunzip(*archive), Record("a", "second"));
}

// The product's bytes are those of Crypto++'s Gzip with default settings; the
// archive computes its checksum on another core, which must not change a byte.
TEST(ArchiveFileSet, BytesEqualCryptoppGzipWithDefaultSettings)
{
    std::string big(9u << 20, '\0'); // more than two slices, with a partial one at the end
    std::uint32_t state = 12345;
    for (size_t i = 0; i < big.size(); ++i) {
        state = state * 1103515245u + 12345u;
        big[i] = static_cast<char>(i % 7 == 0 ? (state >> 16) : (i / 50) & 0x3F);
    }
    std::string noise(300000, '\0');
    for (char& c : noise) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    FileSet files;
    files["parts\\big.stl"] = ToBytes(big);
    files["noise.bin"] = ToBytes(noise);
    files["config.json"] = ToBytes("{ \"MachineDefinition\" : {} }\n");
    files["empty"] = {};

    std::string records;
    for (const auto& [name, data] : files) {
        records += Record(name, ToText(data));
    }
    std::string expected;
    CryptoPP::StringSource(records, true, new CryptoPP::Gzip(new CryptoPP::StringSink(expected)));

    const std::optional<Bytes> fromCopy = ArchiveFileSet(files);
    const std::optional<Bytes> fromMove = ArchiveFileSet(FileSet(files));
    ASSERT_TRUE(fromCopy);
    ASSERT_TRUE(fromMove);
    EXPECT_EQ(*fromCopy, *fromMove);
    ASSERT_EQ(fromCopy->size(), expected.size());
    // Byte 9 names the operating system: 0 as Crypto++ writes it on Windows,
    // whatever the library of the build machine writes.
    EXPECT_EQ((*fromCopy)[9], 0);
    expected[9] = 0;
    EXPECT_TRUE(ToText(*fromCopy) == expected);
}

TEST(ArchiveFileSet, ReportsProgressUpToTheTotal)
{
    FileSet files;
    files["a.stl"] = Bytes(10u << 20, 7);
    std::uint64_t lastDone = 0;
    std::uint64_t lastTotal = 0;
    int calls = 0;
    const auto archive = ArchiveFileSet(
        files,
        [&](std::string_view step, std::uint64_t done, std::uint64_t total) {
            EXPECT_EQ(step, "packing");
            EXPECT_GE(done, lastDone);
            lastDone = done;
            lastTotal = total;
            ++calls;
        },
        "packing");
    ASSERT_TRUE(archive);
    EXPECT_GE(calls, 3);
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(lastTotal, 9u + 5u + (10u << 20));
}

// The 32-bit lengths cannot describe more; the limit is lowered to test it.
TEST(ArchiveFileSet, FailsInsteadOfPassingTheLengthLimit)
{
    FileSet incompressible;
    std::uint32_t state = 1;
    Bytes noise(200000);
    for (std::uint8_t& b : noise) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    incompressible["noise"] = noise;
    const std::uint64_t archiveLength = ArchiveFileSet(incompressible)->size();
    EXPECT_TRUE(ArchiveFileSet(incompressible, {}, "compressing", archiveLength));
    EXPECT_FALSE(ArchiveFileSet(incompressible, {}, "compressing", archiveLength - 1));

    FileSet oneRecord;
    oneRecord["name"] = Bytes(100);
    EXPECT_FALSE(ArchiveFileSet(oneRecord, {}, "compressing", 9 + 4 + 100 - 1)) << "record longer than the limit";
}

} // namespace
