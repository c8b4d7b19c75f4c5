// Utf8ToWide for the native build, in which the portable code is tested: the
// same decoding as the system's UTF-8 decoder on Windows (each maximal invalid
// subsequence becomes one U+FFFD), giving UTF-16 where wchar_t has 16 bits and
// whole code points where it is wider.
#include "text_encoding.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring& out, char32_t cp)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (cp >= 0x10000) {
            out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(cp);
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

} // namespace

std::wstring Utf8ToWide(std::string_view utf8)
{
    std::wstring out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<wchar_t>(lead);
            ++i;
            continue;
        }
        // Length of the sequence and the range its second byte must lie in (no
        // overlong forms, no surrogates, nothing above U+10FFFF).
        size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        size_t taken = 1;
        bool valid = true;
        while (taken < length) {
            if (i + taken >= utf8.size()) {
                valid = false;
                break;
            }
            const auto byte = static_cast<unsigned char>(utf8[i + taken]);
            const bool inRange = taken == 1 ? (byte >= low && byte <= high) : IsContinuation(byte);
            if (!inRange) {
                valid = false;
                break;
            }
            cp = (cp << 6) | (byte & 0x3F);
            ++taken;
        }
        AppendCodePoint(out, valid ? cp : kReplacement);
        i += taken;
    }
    return out;
}
