#include "text_encoding.h"

namespace {

bool IsHighSurrogate(unsigned long unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(unsigned long unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendCodePoint(std::string& out, unsigned long cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

} // namespace

std::string WideToUtf8(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size() * 3);
    for (size_t i = 0; i < wide.size(); ++i) {
        // wchar_t is UTF-16 on Windows; where it is wider, a unit is a whole code point.
        const auto unit = static_cast<unsigned long>(wide[i]);
        if (IsHighSurrogate(unit) && i + 1 < wide.size()) {
            const auto next = static_cast<unsigned long>(wide[i + 1]);
            if (IsLowSurrogate(next)) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendCodePoint(out, unit);
    }
    return out;
}
