#pragma once

#include <cryptopp/rsa.h>

// Loads the build's signing key (embedded in fragments) into `key`. False when
// the key cannot be decoded; `key` is then not to be used.
[[nodiscard]] bool LoadSigningKey(CryptoPP::InvertibleRSAFunction& key);
