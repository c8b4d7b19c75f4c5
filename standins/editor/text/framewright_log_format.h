#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One line of the stand-in editor's call log: an event name followed by named
// values, in the order they were added. Written as
//   Event<TAB>name=value<TAB>name=value...
// Values are UTF-8 text in which '%', control bytes (below 0x20 and 0x7F) and
// bytes that are not part of well-formed UTF-8 stand as "%HH" (upper-case hex),
// so a value never holds a tab or a line end and any bytes survive a round trip.
struct FramewrightLogRecord {
    std::string event;
    std::vector<std::pair<std::string, std::string>> fields;

    FramewrightLogRecord& Add(std::string name, std::string value);
    // The value of the first field of that name; empty when there is none.
    [[nodiscard]] std::optional<std::string> Field(std::string_view name) const;
};

std::string EncodeLogValue(std::string_view bytes);
// Turns each "%HH" back into its byte; a '%' without two hex digits stays as it is.
std::string DecodeLogValue(std::string_view text);

// The record as one line, without the line end.
std::string FormatFramewrightLogRecord(const FramewrightLogRecord& record);
// Every non-empty line of a log (LF or CRLF line ends), in order.
std::vector<FramewrightLogRecord> ParseFramewrightLog(std::string_view text);
