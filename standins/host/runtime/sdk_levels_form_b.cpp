// The level calls of the releases from 2026 on.

#include "host_sdk.h"

#if defined(STANDIN_SDK_LEVELS_FORM_B)

#include "host_database.h"

using standin::HostDatabase;

std::vector<int> get_active_levels()
{
    return HostDatabase::Instance().ActiveLevelNumbers();
}

std::vector<int> GetLevelNumbersByName(const std::wstring& name)
{
    return HostDatabase::Instance().LevelNumbersNamed(name);
}

SdkString GetLevelName(int number)
{
    const std::wstring name = HostDatabase::Instance().LevelName(number);
    return SdkString(name.c_str(), name.size());
}

#endif
