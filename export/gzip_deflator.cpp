#include "gzip_deflator.h"

#include <algorithm>

void GzipDeflator::SetTrailer(const CryptoPP::byte (&crc)[4], std::uint32_t length)
{
    std::copy(std::begin(crc), std::end(crc), std::begin(crc_));
    length_ = length;
}

void GzipDeflator::WritePrestreamHeader()
{
    // Magic, deflate, no flags, time stamp 0, no extra flags at level 6, and
    // the operating system code of Crypto++ built for Windows.
    static constexpr CryptoPP::byte kHeader[10] = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 0};
    AttachedTransformation()->Put(kHeader, sizeof(kHeader));
}

void GzipDeflator::WritePoststreamTail()
{
    AttachedTransformation()->Put(crc_, sizeof(crc_));
    AttachedTransformation()->PutWord32(length_, CryptoPP::LITTLE_ENDIAN_ORDER);
}
