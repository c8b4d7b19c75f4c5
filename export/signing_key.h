#pragma once

#include <cryptopp/rsa.h>

// Loads the build's signing key (embedded in fragments) into `key`. False when
// the key cannot be decoded; `key` is then not to be used.
[[nodiscard]] bool LoadSigningKey(CryptoPP::InvertibleRSAFunction& key);

// The public half of the build's key, which verifies what this build signs.
[[nodiscard]] bool LoadVerificationKey(CryptoPP::RSAFunction& publicKey);
