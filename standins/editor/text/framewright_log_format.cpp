#include "framewright_log_format.h"

#include "split_text.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence that starts at `at`, or 0 when the
// byte there starts none (overlong forms and surrogates included).
size_t WellFormedSequenceLength(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = 0;
    unsigned char secondLow = 0x80;
    unsigned char secondHigh = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        secondLow = lead == 0xE0 ? 0xA0 : 0x80;
        secondHigh = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        secondLow = lead == 0xF0 ? 0x90 : 0x80;
        secondHigh = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < secondLow || second > secondHigh) {
        return 0;
    }
    for (size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[at + i]))) {
            return 0;
        }
    }
    return length;
}

void AppendEscaped(std::string& out, unsigned char byte)
{
    out += '%';
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

int HexValue(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    return -1;
}

FramewrightLogRecord ParseLine(std::string_view line)
{
    const std::vector<std::string_view> parts = SplitText(line, '\t');
    FramewrightLogRecord record;
    record.event = std::string(parts.front());
    for (size_t i = 1; i < parts.size(); ++i) {
        const size_t equals = parts[i].find('=');
        if (equals == std::string_view::npos) {
            record.Add(std::string(parts[i]), std::string());
        } else {
            record.Add(std::string(parts[i].substr(0, equals)), DecodeLogValue(parts[i].substr(equals + 1)));
        }
    }
    return record;
}

} // namespace

FramewrightLogRecord& FramewrightLogRecord::Add(std::string name, std::string value)
{
    fields.emplace_back(std::move(name), std::move(value));
    return *this;
}

std::optional<std::string> FramewrightLogRecord::Field(std::string_view name) const
{
    for (const auto& [fieldName, value] : fields) {
        if (fieldName == name) {
            return value;
        }
    }
    return std::nullopt;
}

std::string EncodeLogValue(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x20 || byte == 0x7F || byte == '%') {
            AppendEscaped(out, byte);
            ++at;
            continue;
        }
        const size_t length = WellFormedSequenceLength(bytes, at);
        if (length == 0) {
            AppendEscaped(out, byte);
            ++at;
            continue;
        }
        out.append(bytes.substr(at, length));
        at += length;
    }
    return out;
}

std::string DecodeLogValue(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '%' && text.size() - at >= 3) {
            const int high = HexValue(text[at + 1]);
            const int low = HexValue(text[at + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                at += 2;
                continue;
            }
        }
        out += text[at];
    }
    return out;
}

std::string FormatFramewrightLogRecord(const FramewrightLogRecord& record)
{
    std::string line = record.event;
    for (const auto& [name, value] : record.fields) {
        line += '\t';
        line += name;
        line += '=';
        line += EncodeLogValue(value);
    }
    return line;
}

std::vector<FramewrightLogRecord> ParseFramewrightLog(std::string_view text)
{
    std::vector<FramewrightLogRecord> records;
    for (std::string_view line : SplitText(text, '\n')) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            records.push_back(ParseLine(line));
        }
    }
    return records;
}
