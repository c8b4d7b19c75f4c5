#include "text_encoding.h"

#include <windows.h>

#include <climits>

std::wstring Utf8ToWide(std::string_view utf8)
{
    if (utf8.empty() || utf8.size() > static_cast<size_t>(INT_MAX)) {
        return {};
    }
    const int inputLength = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inputLength, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), inputLength, wide.data(), length) == 0) {
        return {};
    }
    return wide;
}
