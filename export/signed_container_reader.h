#pragma once

#include <cryptopp/rsa.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The parts of a signed container, pointing into the bytes it was read from.
struct SignedContainerView {
    std::uint32_t reserved = 0;
    std::span<const std::uint8_t> signature;
    std::span<const std::uint8_t> data;
};

// Splits a signed container; empty, with the reason in `error`, when the
// header is cut short, the reserved word is not zero or the two lengths do not
// add up to the container's size exactly.
std::optional<SignedContainerView> ParseSignedContainer(std::span<const std::uint8_t> bytes, std::string& error);

// True when the signature is a valid RSASSA-PKCS1-v1_5 SHA-1 signature of the data.
bool VerifyContainerSignature(const CryptoPP::RSAFunction& publicKey, const SignedContainerView& container);
