#include "archive_entry_path.h"

#include <algorithm>
#include <array>
#include <cwctype>

#include "text_encoding.h"

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsForbiddenCharacter(wchar_t c)
{
    return c < 32 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos;
}

// CON, NUL, COM1 and the like name devices in every folder, with any extension.
bool IsDeviceName(std::wstring_view part)
{
    static constexpr std::array<std::wstring_view, 6> kDevices = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$",
                                                                   L"CONOUT$"};
    std::wstring stem(part.substr(0, part.find(L'.')));
    std::transform(stem.begin(), stem.end(), stem.begin(), [](wchar_t c) { return std::towupper(c); });
    while (!stem.empty() && stem.back() == L' ') {
        stem.pop_back();
    }
    if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) {
        return true;
    }
    // COM1-COM9, LPT1-LPT9, and the superscript digits Windows also takes.
    if (stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT"))) {
        const wchar_t digit = stem[3];
        return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

bool IsAcceptablePart(std::wstring_view part)
{
    return !part.empty() && part.back() != L'.' && part.back() != L' ' &&
           std::none_of(part.begin(), part.end(), IsForbiddenCharacter) && !IsDeviceName(part);
}

} // namespace

std::optional<std::wstring> EntryPathBelowFolder(std::string_view entryName)
{
    const std::wstring name = Utf8ToWide(entryName);
    if (name.empty() || IsSeparator(name.front()) || IsSeparator(name.back())) {
        return std::nullopt;
    }
    std::wstring path;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find_first_of(L"\\/", start), name.size());
        const std::wstring_view part = std::wstring_view(name).substr(start, end - start);
        if (!IsAcceptablePart(part)) {
            return std::nullopt;
        }
        if (!path.empty()) {
            path += L'\\';
        }
        path += part;
        start = end + 1;
    }
    return path;
}
