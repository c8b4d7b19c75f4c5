#include "stl_path_list.h"

#include <algorithm>

#include "split_text.h"

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsColourText(std::string_view text)
{
    return text.size() == 8 && text.starts_with("0x") && std::all_of(text.begin() + 2, text.end(), IsHexDigit);
}

} // namespace

std::vector<StlPathEntry> ParseStlPathList(std::string_view list)
{
    std::vector<StlPathEntry> entries;
    for (std::string_view entry : SplitText(list, ';')) {
        StlPathEntry parsed{std::string(entry), {}};
        const size_t at = entry.rfind('@');
        if (at != std::string_view::npos && IsColourText(entry.substr(at + 1))) {
            parsed.path = std::string(entry.substr(0, at));
            parsed.colour = std::string(entry.substr(at + 1));
        }
        if (!parsed.path.empty()) {
            entries.push_back(std::move(parsed));
        }
    }
    return entries;
}
