#include "signed_container_reader.h"

#include <cryptopp/pkcspad.h>
#include <cryptopp/sha.h>

#include <exception>

#include "little_endian.h"
#include "signed_container.h"

std::optional<SignedContainerView> ParseSignedContainer(std::span<const std::uint8_t> bytes, std::string& error)
{
    if (bytes.size() < kContainerHeaderLength) {
        error = "shorter than the 12-byte container header (" + std::to_string(bytes.size()) + " bytes)";
        return std::nullopt;
    }
    SignedContainerView view;
    view.reserved = LoadLittleEndian32(bytes.data());
    const std::uint64_t signatureLength = LoadLittleEndian32(bytes.data() + 4);
    const std::uint64_t dataLength = LoadLittleEndian32(bytes.data() + 8);
    const std::uint64_t expected = kContainerHeaderLength + signatureLength + dataLength;
    if (view.reserved != 0) {
        error = "reserved word is " + std::to_string(view.reserved) + ", not 0";
        return std::nullopt;
    }
    if (expected != bytes.size()) {
        error = "lengths give 12 + " + std::to_string(signatureLength) + " + " + std::to_string(dataLength) + " = " +
                std::to_string(expected) + " bytes, but the container has " + std::to_string(bytes.size());
        return std::nullopt;
    }
    view.signature = bytes.subspan(kContainerHeaderLength, static_cast<std::size_t>(signatureLength));
    view.data = bytes.subspan(kContainerHeaderLength + static_cast<std::size_t>(signatureLength));
    return view;
}

bool VerifyContainerSignature(const CryptoPP::RSAFunction& publicKey, const SignedContainerView& container)
{
    try {
        const CryptoPP::RSASS<CryptoPP::PKCS1v15, CryptoPP::SHA1>::Verifier verifier(publicKey);
        if (container.signature.size() != verifier.SignatureLength()) {
            return false;
        }
        return verifier.VerifyMessage(container.data.data(), container.data.size(), container.signature.data(),
                                      container.signature.size());
    } catch (const std::exception&) {
        return false;
    }
}
