#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "file_set.h"

// An archive's records as stored, pointing into its uncompressed content.
struct ArchiveEntry {
    std::string name;
    std::size_t offset = 0; // of the data within `content`
    std::size_t length = 0;
};

struct ExtractedArchive {
    Bytes content;
    std::vector<ArchiveEntry> entries;

    [[nodiscard]] std::span<const std::uint8_t> DataOf(const ArchiveEntry& entry) const
    {
        return std::span<const std::uint8_t>(content).subspan(entry.offset, entry.length);
    }
};

// Decompresses a file set archive and splits its records, strictly: one gzip
// member with nothing after it, records that exactly fill the content, each
// with a zero after its name, names in ascending byte order and each once.
// Empty, with the reason in `error`, otherwise.
std::optional<ExtractedArchive> ExtractFileSetArchive(std::span<const std::uint8_t> archive, std::string& error);
