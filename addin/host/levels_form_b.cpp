// The level calls of releases 2026 and 2027, which answer with vectors and
// give names in the SDK's own string type.

#include "host_sdk.h"
#include "host_view.h"

namespace host {

std::vector<int> ActiveLevelNumbers()
{
    return ::get_active_levels();
}

std::vector<int> LevelNumbersByName(const std::wstring& name)
{
    return ::GetLevelNumbersByName(name);
}

std::wstring LevelName(int levelNumber)
{
    const SdkString name = ::GetLevelName(levelNumber);
    return std::wstring(name.GetString(), static_cast<std::size_t>(name.GetLength()));
}

} // namespace host
