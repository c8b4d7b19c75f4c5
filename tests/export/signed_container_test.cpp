#include <gtest/gtest.h>

#include <cryptopp/osrng.h>

#include <string>

#include "export_test_support.h"
#include "little_endian.h"
#include "signed_container.h"
#include "signed_container_reader.h"
#include "signing_key.h"

namespace {

class SignedContainerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(LoadSigningKey(key_)); }

    Bytes Sign(const Bytes& data)
    {
        std::optional<Bytes> container = SignPayload(key_, random_, std::span<const std::uint8_t>(data));
        EXPECT_TRUE(container);
        return container.value_or(Bytes());
    }

    CryptoPP::InvertibleRSAFunction key_;
    CryptoPP::AutoSeededRandomPool random_;
};

TEST_F(SignedContainerTest, HeaderSignatureAndDataAgreeWithTheSize)
{
    const std::size_t modulusBytes = BuildPublicKey().GetModulus().ByteCount();
    for (const Bytes& data : {Bytes(), ToBytes("x"), Bytes(100000, 0xAB)}) {
        const Bytes container = Sign(data);
        ASSERT_GE(container.size(), 12u);
        EXPECT_EQ(LoadLittleEndian32(container.data()), 0u);
        const std::uint32_t signatureLength = LoadLittleEndian32(container.data() + 4);
        EXPECT_EQ(signatureLength, modulusBytes);
        EXPECT_EQ(LoadLittleEndian32(container.data() + 8), data.size());
        EXPECT_EQ(container.size(), 12 + signatureLength + data.size());
        EXPECT_TRUE(std::equal(data.begin(), data.end(), container.end() - static_cast<std::ptrdiff_t>(data.size())));
    }
}

TEST_F(SignedContainerTest, SameDataGivesTheSameContainer)
{
    const Bytes data = ToBytes("the archive");
    EXPECT_EQ(Sign(data), Sign(data));
    std::optional<Bytes> inPlace = SignPayload(key_, random_, Bytes(data));
    ASSERT_TRUE(inPlace);
    EXPECT_EQ(*inPlace, Sign(data));
}

// Checked with the public key the build wrote, not with the signing code.
TEST_F(SignedContainerTest, VerifiesWithTheBuildsPublicKeyAndRejectsAFlippedByte)
{
    const Bytes container = Sign(ToBytes("records of a machine"));
    const CryptoPP::RSAFunction publicKey = BuildPublicKey();
    std::string error;
    const auto view = ParseSignedContainer(container, error);
    ASSERT_TRUE(view) << error;
    EXPECT_TRUE(VerifyContainerSignature(publicKey, *view));

    for (const std::size_t offset : {std::size_t{12}, std::size_t{12 + 300}, container.size() - 1}) {
        Bytes flipped = container;
        flipped[offset] ^= 0x01;
        const auto flippedView = ParseSignedContainer(flipped, error);
        ASSERT_TRUE(flippedView);
        EXPECT_FALSE(VerifyContainerSignature(publicKey, *flippedView)) << "flipped byte at " << offset;
    }
}

TEST(SignPayload, FailsWithAKeyThatCannotSign)
{
    const CryptoPP::InvertibleRSAFunction noKey;
    CryptoPP::AutoSeededRandomPool random;
    const Bytes data = ToBytes("records");
    EXPECT_FALSE(SignPayload(noKey, random, std::span<const std::uint8_t>(data)));
    EXPECT_FALSE(SignPayload(noKey, random, Bytes(data)));
}

TEST(VerificationKey, IsThePublicKeyTheBuildWrote)
{
    CryptoPP::RSAFunction key;
    ASSERT_TRUE(LoadVerificationKey(key));
    const CryptoPP::RSAFunction written = BuildPublicKey();
    EXPECT_EQ(key.GetModulus(), written.GetModulus());
    EXPECT_EQ(key.GetPublicExponent(), written.GetPublicExponent());
}

TEST(SignedContainerReader, RefusesMalformedContainers)
{
    const auto header = [](std::uint32_t reserved, std::uint32_t signature, std::uint32_t data) {
        Bytes bytes(12);
        StoreLittleEndian32(bytes.data(), reserved);
        StoreLittleEndian32(bytes.data() + 4, signature);
        StoreLittleEndian32(bytes.data() + 8, data);
        return bytes;
    };
    Bytes wellFormed = header(0, 2, 3);
    wellFormed.insert(wellFormed.end(), {1, 2, 3, 4, 5});
    std::string error;
    const auto view = ParseSignedContainer(wellFormed, error);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->signature.size(), 2u);
    EXPECT_EQ(view->data.size(), 3u);
    EXPECT_EQ(view->data[0], 3);

    Bytes reserved = wellFormed;
    reserved[0] = 1;
    Bytes longer = wellFormed;
    longer.push_back(0);
    Bytes shorter = wellFormed;
    shorter.pop_back();
    Bytes overflowing = header(0, 0xFFFFFFFFu, 0xFFFFFFFFu);
    for (const Bytes& bad : {Bytes(11), reserved, longer, shorter, overflowing}) {
        error.clear();
        EXPECT_FALSE(ParseSignedContainer(bad, error));
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
