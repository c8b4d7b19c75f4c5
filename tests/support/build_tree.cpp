#include "build_tree.h"

#include <windows.h>

std::filesystem::path BuildTreeFile(const std::string& relativeToTests)
{
    std::wstring program(MAX_PATH, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    return (std::filesystem::path(program).parent_path() / std::filesystem::path(relativeToTests)).lexically_normal();
}

std::filesystem::path DistFile(const std::string& relativeToDist)
{
    return BuildTreeFile(std::string(RIGSMITH_DIST_FROM_TESTS) + "/" + relativeToDist);
}
