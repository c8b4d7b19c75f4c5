#include "signed_container.h"

#include <cryptopp/pkcspad.h>
#include <cryptopp/sha.h>

#include <exception>

#include "file_set_archive.h"
#include "little_endian.h"

namespace {

using Signer = CryptoPP::RSASS<CryptoPP::PKCS1v15, CryptoPP::SHA1>::Signer;

// Header and signature, ready to precede the data.
std::optional<Bytes> SignedHeader(const CryptoPP::InvertibleRSAFunction& key, CryptoPP::RandomNumberGenerator& random,
                                  std::span<const std::uint8_t> data)
{
    if (data.size() > kMaxArchiveLength) {
        return std::nullopt;
    }
    try {
        const Signer signer(key);
        Bytes header(kContainerHeaderLength + signer.MaxSignatureLength());
        const std::size_t signatureLength =
            signer.SignMessage(random, data.data(), data.size(), header.data() + kContainerHeaderLength);
        header.resize(kContainerHeaderLength + signatureLength);
        StoreLittleEndian32(header.data(), 0);
        StoreLittleEndian32(header.data() + 4, static_cast<std::uint32_t>(signatureLength));
        StoreLittleEndian32(header.data() + 8, static_cast<std::uint32_t>(data.size()));
        return header;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<Bytes> SignPayload(const CryptoPP::InvertibleRSAFunction& key, CryptoPP::RandomNumberGenerator& random,
                                 std::span<const std::uint8_t> data)
{
    std::optional<Bytes> container = SignedHeader(key, random, data);
    if (container) {
        container->insert(container->end(), data.begin(), data.end());
    }
    return container;
}

std::optional<Bytes> SignPayload(const CryptoPP::InvertibleRSAFunction& key, CryptoPP::RandomNumberGenerator& random,
                                 Bytes&& data)
{
    const std::optional<Bytes> header = SignedHeader(key, random, data);
    if (!header) {
        return std::nullopt;
    }
    data.insert(data.begin(), header->begin(), header->end());
    return std::move(data);
}
