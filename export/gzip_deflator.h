#pragma once

#include <cryptopp/zdeflate.h>

#include <cstdint>

// A one-member gzip stream exactly as Crypto++'s Gzip writes it on Windows
// (deflate level 6, 32 KiB window, detection of incompressible input, no name,
// no comment, time stamp 0, operating system byte 0), except that the CRC-32
// and length of the trailer are handed in by the caller, who computes them on
// another core while this one deflates.
class GzipDeflator final : public CryptoPP::Deflator {
public:
    explicit GzipDeflator(CryptoPP::BufferedTransformation* attachment)
        : CryptoPP::Deflator(attachment, DEFAULT_DEFLATE_LEVEL, DEFAULT_LOG2_WINDOW_SIZE, true)
    {
    }

    // The CRC-32 of all uncompressed bytes, in the byte order CRC32::Final
    // gives, and their count modulo 2^32; set before MessageEnd.
    void SetTrailer(const CryptoPP::byte (&crc)[4], std::uint32_t length);

protected:
    void WritePrestreamHeader() override;
    void ProcessUncompressedData(const CryptoPP::byte* /*data*/, size_t /*length*/) override {}
    void WritePoststreamTail() override;

private:
    CryptoPP::byte crc_[4] = {};
    std::uint32_t length_ = 0;
};
