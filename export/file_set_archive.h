#pragma once

#include <optional>

#include "export_progress.h"
#include "file_set.h"

// The largest archive, record or container length the 32-bit fields can hold.
inline constexpr std::uint64_t kMaxArchiveLength = 0xFFFFFFFFu;

// The gzip archive of a file set: one record per entry in the set's order
// (record length, name length, name, a zero byte, data; lengths 32-bit little
// endian), deflated at level 6 with a 32 KiB window as Crypto++'s Gzip writes it.
// Empty when a record or the archive would be longer than `maxLength` (the
// 32-bit lengths' limit; tests pass less), or when the compressor fails.
// `progress` hears of every few megabytes under the name `step`.
std::optional<Bytes> ArchiveFileSet(const FileSet& files, const ExportProgress& progress = {},
                                    std::string_view step = "compressing",
                                    std::uint64_t maxLength = kMaxArchiveLength);

// The same, giving each entry's bytes back to the system as soon as they are
// compressed, so that a large machine is not held twice.
std::optional<Bytes> ArchiveFileSet(FileSet&& files, const ExportProgress& progress = {},
                                    std::string_view step = "compressing",
                                    std::uint64_t maxLength = kMaxArchiveLength);
