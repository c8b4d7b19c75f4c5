#include "chunked_output_sink.h"

#include <algorithm>
#include <cstring>

size_t ChunkedOutputSink::Put2(const CryptoPP::byte* data, size_t length, int /*messageEnd*/, bool /*blocking*/)
{
    if (overflowed_) {
        return 0;
    }
    length_ += length;
    if (length_ > limit_) {
        overflowed_ = true;
        blocks_.clear();
        return 0;
    }
    while (length > 0) {
        if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) {
            blocks_.emplace_back().reserve(kBlockSize);
        }
        Bytes& block = blocks_.back();
        const size_t count = std::min(length, block.capacity() - block.size());
        block.insert(block.end(), data, data + count);
        data += count;
        length -= count;
    }
    return 0;
}

std::optional<Bytes> ChunkedOutputSink::Take(std::size_t spareCapacity)
{
    if (overflowed_) {
        return std::nullopt;
    }
    Bytes whole;
    whole.reserve(static_cast<size_t>(length_) + spareCapacity);
    for (Bytes& block : blocks_) {
        whole.insert(whole.end(), block.begin(), block.end());
        Bytes().swap(block);
    }
    blocks_.clear();
    length_ = 0;
    return whole;
}
