#include "file_set_archive_reader.h"

#include <cryptopp/gzip.h>

#include <exception>

#include "little_endian.h"

namespace {

bool Decompress(std::span<const std::uint8_t> archive, Bytes& content, std::string& error)
{
    try {
        CryptoPP::Gunzip gunzip;
        gunzip.Put(archive.data(), archive.size());
        gunzip.MessageEnd();
        // The member's content is the first message; whatever follows the
        // member's trailer is passed on after it.
        if (gunzip.TotalBytesRetrievable() != gunzip.MaxRetrievable()) {
            error = std::to_string(gunzip.TotalBytesRetrievable() - gunzip.MaxRetrievable()) +
                    " bytes follow the gzip stream";
            return false;
        }
        content.resize(static_cast<std::size_t>(gunzip.MaxRetrievable()));
        gunzip.Get(content.data(), content.size());
        return true;
    } catch (const std::exception& e) {
        error = std::string("not a valid gzip stream: ") + e.what();
        return false;
    }
}

} // namespace

std::optional<ExtractedArchive> ExtractFileSetArchive(std::span<const std::uint8_t> archive, std::string& error)
{
    ExtractedArchive result;
    if (!Decompress(archive, result.content, error)) {
        return std::nullopt;
    }
    const Bytes& content = result.content;
    std::size_t offset = 0;
    while (offset < content.size()) {
        const std::size_t left = content.size() - offset;
        const std::string where = "record " + std::to_string(result.entries.size() + 1) + " at offset " +
                                  std::to_string(offset);
        if (left < 9) {
            error = where + ": cut short (" + std::to_string(left) + " bytes left)";
            return std::nullopt;
        }
        const std::uint64_t recordLength = LoadLittleEndian32(content.data() + offset);
        const std::uint64_t nameLength = LoadLittleEndian32(content.data() + offset + 4);
        if (recordLength < 9 + nameLength) {
            error = where + ": record length " + std::to_string(recordLength) + " is less than 9 + name length " +
                    std::to_string(nameLength);
            return std::nullopt;
        }
        if (recordLength > left) {
            error = where + ": record length " + std::to_string(recordLength) + " runs past the end (" +
                    std::to_string(left) + " bytes left)";
            return std::nullopt;
        }
        const std::size_t nameStart = offset + 8;
        if (content[nameStart + nameLength] != 0) {
            error = where + ": no zero byte after the name";
            return std::nullopt;
        }
        ArchiveEntry entry;
        entry.name.assign(reinterpret_cast<const char*>(content.data() + nameStart), static_cast<std::size_t>(nameLength));
        entry.offset = nameStart + static_cast<std::size_t>(nameLength) + 1;
        entry.length = static_cast<std::size_t>(recordLength - 9 - nameLength);
        if (!result.entries.empty() && !(result.entries.back().name < entry.name)) {
            error = where + ": entry \"" + entry.name + "\" is out of order or repeated after \"" +
                    result.entries.back().name + "\"";
            return std::nullopt;
        }
        result.entries.push_back(std::move(entry));
        offset += static_cast<std::size_t>(recordLength);
    }
    return result;
}
