// The level calls of the releases up to 2025.

#include "host_sdk.h"

#if defined(STANDIN_SDK_LEVELS_FORM_A)

#include <algorithm>

#include "host_database.h"

using standin::HostDatabase;

void get_active_levels(int& count, int* levels)
{
    const std::vector<int> active = HostDatabase::Instance().ActiveLevelNumbers();
    if (levels == nullptr) {
        count = static_cast<int>(active.size());
        return;
    }
    count = std::clamp(count, 0, static_cast<int>(active.size()));
    std::copy_n(active.begin(), count, levels);
}

bool GetLevelNumbersByName(const std::wstring& levelSet, const std::wstring& name, std::vector<int>& numbers)
{
    numbers = levelSet.empty() ? HostDatabase::Instance().LevelNumbersNamed(name) : std::vector<int>();
    return !numbers.empty();
}

std::wstring GetLevelName(int number)
{
    return HostDatabase::Instance().LevelName(number);
}

#endif
