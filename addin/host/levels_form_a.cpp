// The level calls of releases 2021 to 2025: the active levels come in two
// calls (count, then array), and a name lookup reports "none" as false.

#include <algorithm>

#include "host_sdk.h"
#include "host_view.h"

namespace host {

std::vector<int> ActiveLevelNumbers()
{
    int count = 0;
    ::get_active_levels(count, nullptr);
    std::vector<int> numbers(static_cast<std::size_t>(std::max(count, 0)));
    if (numbers.empty()) {
        return numbers;
    }
    ::get_active_levels(count, numbers.data());
    numbers.resize(static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(numbers.size()))));
    return numbers;
}

std::vector<int> LevelNumbersByName(const std::wstring& name)
{
    std::vector<int> numbers;
    if (!::GetLevelNumbersByName(std::wstring(), name, numbers)) {
        numbers.clear();
    }
    return numbers;
}

std::wstring LevelName(int levelNumber)
{
    return ::GetLevelName(levelNumber);
}

} // namespace host
