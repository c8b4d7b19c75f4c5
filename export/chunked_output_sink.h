#pragma once

#include <cryptopp/filters.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "file_set.h"

// Collects a compressor's output in blocks, so that a large archive grows
// without being copied into ever larger buffers, and stops keeping it once it
// passes a length limit.
class ChunkedOutputSink : public CryptoPP::Bufferless<CryptoPP::Sink> {
public:
    explicit ChunkedOutputSink(std::uint64_t limit) : limit_(limit) {}

    size_t Put2(const CryptoPP::byte* data, size_t length, int messageEnd, bool blocking) override;

    [[nodiscard]] bool Overflowed() const noexcept { return overflowed_; }

    // The output as one block with `spareCapacity` bytes of room after it;
    // empty after an overflow. Leaves the sink empty.
    std::optional<Bytes> Take(std::size_t spareCapacity = 0);

private:
    static constexpr std::size_t kBlockSize = std::size_t{4} << 20;

    std::uint64_t limit_;
    std::uint64_t length_ = 0;
    bool overflowed_ = false;
    std::vector<Bytes> blocks_;
};
