#pragma once

#include <cryptopp/cryptlib.h>
#include <cryptopp/rsa.h>

#include <cstddef>
#include <optional>
#include <span>

#include "file_set.h"

// Reserved word, signature length and data length, 32 bits each, little endian.
inline constexpr std::size_t kContainerHeaderLength = 12;

// The signed container of `data`: the header, an RSASSA-PKCS1-v1_5 SHA-1
// signature over the data (as long as the key's modulus), then the data.
// Empty when the data is longer than the 32-bit length field or signing fails.
std::optional<Bytes> SignPayload(const CryptoPP::InvertibleRSAFunction& key, CryptoPP::RandomNumberGenerator& random,
                                 std::span<const std::uint8_t> data);

// The same, built in the data's own buffer: a large archive is not copied.
std::optional<Bytes> SignPayload(const CryptoPP::InvertibleRSAFunction& key, CryptoPP::RandomNumberGenerator& random,
                                 Bytes&& data);
