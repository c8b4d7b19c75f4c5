#pragma once

#include <array>
#include <cstdint>
#include <span>

// The signing key's PKCS #8 DER bytes as three pieces, in order; generated from
// the build's key, so that the program never holds the key as one stored block.
std::array<std::span<const std::uint8_t>, 3> SigningKeyFragments();
