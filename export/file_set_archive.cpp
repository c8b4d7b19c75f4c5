#include "file_set_archive.h"

#include <cryptopp/crc.h>

#include <algorithm>
#include <array>
#include <exception>
#include <future>
#include <system_error>
#include <type_traits>

#include "chunked_output_sink.h"
#include "gzip_deflator.h"
#include "little_endian.h"

namespace {

// Room left after the archive for the signed container's header and a
// signature of up to 16384 bits, so that signing in place does not move it.
constexpr std::size_t kContainerRoom = 12 + 2048;

// Progress is reported, and the checksum handed to another core, in slices of this size.
constexpr std::size_t kSliceSize = std::size_t{4} << 20;

// The gzip stream of the records: the deflater runs on this thread, the
// CRC-32 of the same bytes on another, slice by slice.
class ArchiveCompressor {
public:
    explicit ArchiveCompressor(ChunkedOutputSink* sink) : deflator_(sink) {}

    void Put(const std::uint8_t* data, std::size_t length)
    {
        // For small pieces a thread would cost more than it saves.
        constexpr std::size_t kWorthAThread = std::size_t{256} << 10;
        std::future<void> summed;
        if (length >= kWorthAThread) {
            try {
                summed = std::async(std::launch::async, [this, data, length] { checksum_.Update(data, length); });
            } catch (const std::system_error&) {
                // No thread to be had: sum it here.
            }
        }
        if (!summed.valid()) {
            checksum_.Update(data, length);
        }
        try {
            deflator_.Put(data, length);
        } catch (...) {
            if (summed.valid()) {
                summed.wait();
            }
            throw;
        }
        if (summed.valid()) {
            summed.get();
        }
        length_ += static_cast<std::uint32_t>(length); // modulo 2^32, as gzip stores it
    }

    void Finish()
    {
        CryptoPP::byte crc[4] = {};
        checksum_.Final(crc);
        deflator_.SetTrailer(crc, length_);
        deflator_.MessageEnd();
    }

private:
    GzipDeflator deflator_;
    CryptoPP::CRC32 checksum_;
    std::uint32_t length_ = 0;
};

constexpr std::uint64_t kRecordOverhead = 9;

std::optional<std::uint64_t> TotalRecordLength(const FileSet& files, std::uint64_t maxLength)
{
    std::uint64_t total = 0;
    for (const auto& [name, data] : files) {
        const std::uint64_t record = kRecordOverhead + name.size() + data.size();
        if (record > maxLength) {
            return std::nullopt;
        }
        total += record;
    }
    return total;
}

// Files is FileSet (whose entries are given back once compressed) or const FileSet.
template <typename Files>
std::optional<Bytes> Archive(Files& files, const ExportProgress& progress, std::string_view step,
                             std::uint64_t maxLength)
{
    try {
        const std::uint64_t limit = std::min(maxLength, kMaxArchiveLength);
        const std::optional<std::uint64_t> total = TotalRecordLength(files, limit);
        if (!total) {
            return std::nullopt;
        }
        auto* sink = new ChunkedOutputSink(limit);
        ArchiveCompressor compressor(sink); // owns the sink
        std::uint64_t done = 0;
        for (auto& [name, data] : files) {
            std::array<std::uint8_t, 8> header{};
            StoreLittleEndian32(header.data(), static_cast<std::uint32_t>(kRecordOverhead + name.size() + data.size()));
            StoreLittleEndian32(header.data() + 4, static_cast<std::uint32_t>(name.size()));
            compressor.Put(header.data(), header.size());
            // The name and its terminating zero: std::string keeps one after its characters.
            compressor.Put(reinterpret_cast<const std::uint8_t*>(name.c_str()), name.size() + 1);
            done += kRecordOverhead + name.size();
            for (std::size_t offset = 0; offset < data.size(); offset += kSliceSize) {
                const std::size_t count = std::min(kSliceSize, data.size() - offset);
                compressor.Put(data.data() + offset, count);
                done += count;
                if (progress) {
                    progress(step, done, *total);
                }
                if (sink->Overflowed()) {
                    return std::nullopt;
                }
            }
            if constexpr (!std::is_const_v<Files>) {
                Bytes().swap(data);
            }
        }
        compressor.Finish();
        if (progress) {
            progress(step, *total, *total);
        }
        return sink->Take(kContainerRoom);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<Bytes> ArchiveFileSet(const FileSet& files, const ExportProgress& progress, std::string_view step,
                                    std::uint64_t maxLength)
{
    return Archive(files, progress, step, maxLength);
}

std::optional<Bytes> ArchiveFileSet(FileSet&& files, const ExportProgress& progress, std::string_view step,
                                    std::uint64_t maxLength)
{
    return Archive(files, progress, step, maxLength);
}
