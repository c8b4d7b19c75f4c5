#include <gtest/gtest.h>

#include <cryptopp/gzip.h>

#include <string>

#include "export_test_support.h"
#include "file_set_archive.h"
#include "file_set_archive_reader.h"
#include "little_endian.h"

namespace {

Bytes GzipOf(const std::string& content)
{
    std::string out;
    CryptoPP::StringSource(content, true, new CryptoPP::Gzip(new CryptoPP::StringSink(out)));
    return ToBytes(out);
}

std::string RawRecord(std::uint32_t recordLength, std::uint32_t nameLength, const std::string& rest)
{
    std::string record(8, '\0');
    StoreLittleEndian32(reinterpret_cast<std::uint8_t*>(record.data()), recordLength);
    StoreLittleEndian32(reinterpret_cast<std::uint8_t*>(record.data()) + 4, nameLength);
    return record + rest;
}

TEST(FileSetArchiveReader, ReadsWhatTheArchiveWrote)
{
    FileSet files;
    files["config.json"] = ToBytes("{}");
    files["empty"] = {};
    files["parts\\base.stl"] = Bytes(5000, 9);
    const std::optional<Bytes> archive = ArchiveFileSet(files);
    ASSERT_TRUE(archive);
    std::string error;
    const std::optional<ExtractedArchive> read = ExtractFileSetArchive(*archive, error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->entries.size(), 3u);
    for (const ArchiveEntry& entry : read->entries) {
        const Bytes& expected = files.at(entry.name);
        const auto data = read->DataOf(entry);
        EXPECT_TRUE(std::equal(data.begin(), data.end(), expected.begin(), expected.end())) << entry.name;
    }
}

struct MalformedCase {
    const char* label;
    Bytes archive;

    friend void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.label; }
};

class MalformedArchiveTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedArchiveTest, IsRefusedWithAReason)
{
    std::string error;
    EXPECT_FALSE(ExtractFileSetArchive(GetParam().archive, error));
    EXPECT_FALSE(error.empty());
}

Bytes Good() { return GzipOf(RawRecord(12, 2, std::string("ab\0x", 4))); }

Bytes Changed(Bytes bytes, std::size_t offsetFromEnd, std::uint8_t mask)
{
    bytes[bytes.size() - offsetFromEnd] ^= mask;
    return bytes;
}

Bytes Truncated(Bytes bytes, std::size_t count)
{
    bytes.resize(bytes.size() - count);
    return bytes;
}

Bytes Appended(Bytes bytes, const Bytes& tail)
{
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedArchiveTest,
    testing::Values(MalformedCase{"NotGzip", ToBytes("plain text, not compressed")},
                    MalformedCase{"Empty", Bytes()},
                    MalformedCase{"Truncated", Truncated(Good(), 3)},
                    MalformedCase{"CrcDoesNotMatch", Changed(Good(), 6, 0x01)},
                    MalformedCase{"BytesAfterTheStream", Appended(Good(), ToBytes("junk"))},
                    MalformedCase{"SecondMember", Appended(Good(), Good())},
                    MalformedCase{"RecordShorterThanItsName", GzipOf(RawRecord(10, 2, std::string("ab\0", 3)))},
                    MalformedCase{"RecordRunsPastTheEnd", GzipOf(RawRecord(40, 2, std::string("ab\0x", 4)))},
                    MalformedCase{"NoZeroAfterTheName", GzipOf(RawRecord(12, 2, "abcx"))},
                    MalformedCase{"CutInsideTheHeader", GzipOf(RawRecord(12, 2, std::string("ab\0x", 4)) + "\1\0")},
                    MalformedCase{"OutOfOrder", GzipOf(RawRecord(11, 1, std::string("b\0x", 3)) +
                                                       RawRecord(11, 1, std::string("a\0x", 3)))},
                    MalformedCase{"Repeated", GzipOf(RawRecord(11, 1, std::string("a\0x", 3)) +
                                                     RawRecord(11, 1, std::string("a\0y", 3)))}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
