#include "signing_key.h"

#include <cryptopp/filters.h>
#include <cryptopp/secblock.h>

#include <cstring>
#include <exception>

#include "signing_key_fragments.h"

bool LoadSigningKey(CryptoPP::InvertibleRSAFunction& key)
{
    try {
        const auto fragments = SigningKeyFragments();
        std::size_t length = 0;
        for (const auto& fragment : fragments) {
            length += fragment.size();
        }
        // Wiped when it goes, so the joined key lives only for this call.
        CryptoPP::SecByteBlock joined(length);
        std::size_t offset = 0;
        for (const auto& fragment : fragments) {
            std::memcpy(joined.data() + offset, fragment.data(), fragment.size());
            offset += fragment.size();
        }
        CryptoPP::StringSource source(joined.data(), joined.size(), true);
        key.Load(source);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool LoadVerificationKey(CryptoPP::RSAFunction& publicKey)
{
    CryptoPP::InvertibleRSAFunction key;
    if (!LoadSigningKey(key)) {
        return false;
    }
    publicKey.Initialize(key.GetModulus(), key.GetPublicExponent());
    return true;
}
