#include "quilra_installation.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <string>

#include "app_data.h"
#include "path_probe.h"
#include "registry.h"
#include "unique_handle.h"

namespace {

constexpr std::int32_t kFirstQuilraRelease = 2022;
constexpr DWORD kLargestConfigFile = 1 << 20;

std::wstring ProgramFilesFolder()
{
    wchar_t* path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_ProgramFiles, 0, nullptr, &path))) {
        folder = path;
    }
    ::CoTaskMemFree(path);
    return folder;
}

std::wstring RegisteredInstallPath(const QuilraSearchPlaces& places, const std::wstring& year)
{
    const std::array<std::pair<HKEY, std::wstring>, 4> candidates{{
        {HKEY_CURRENT_USER, places.registryRoot + L"\\Torla " + year},
        {HKEY_LOCAL_MACHINE, places.registryRoot + L"\\Torla " + year},
        {HKEY_CURRENT_USER, places.registryRoot + L"\\Torla Quilra " + year},
        {HKEY_LOCAL_MACHINE, places.registryRoot + L"\\Torla Quilra " + year},
    }};
    for (const auto& [hive, key] : candidates) {
        std::wstring path = ReadRegistryString(hive, key, L"InstallPath");
        if (!path.empty()) {
            return path;
        }
    }
    return {};
}

// The whole file, or nothing when it cannot be read.
std::string ReadSmallFile(const std::wstring& path)
{
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kLargestConfigFile) {
        return {};
    }
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return {};
    }
    bytes.resize(read);
    return bytes;
}

} // namespace

QuilraInstallation FindQuilraInstallation(std::int32_t fromYear, std::int32_t toYear,
                                          const QuilraSearchPlaces& places)
{
    const std::int32_t first = std::max(fromYear, kFirstQuilraRelease);
    // Without a known Program Files folder the candidate would hang off the drive root.
    const std::wstring programFiles = places.programFiles.empty() ? ProgramFilesFolder() : places.programFiles;
    for (std::int32_t year = toYear; year >= first; --year) {
        const std::wstring yearText = std::to_wstring(year);
        const std::wstring registered = RegisteredInstallPath(places, yearText);
        if (!registered.empty()) {
            const std::wstring program = JoinPath(JoinPath(registered, kQuilraProductDir), L"TorlaQuilra.exe");
            if (PathExists(program)) {
                return {year, program};
            }
        }
        if (!programFiles.empty()) {
            const std::wstring folder = programFiles + L"\\Torla " + yearText + L"\\TorlaQuilra\\";
            if (IsExistingFolder(folder)) {
                return {year, folder};
            }
        }
    }
    return {};
}

void ReadConfigPathsFile(ConfigPaths& paths)
{
    if (paths.installPath.empty()) {
        return;
    }
    PathMacros macros = MakePathMacros(ReadAppDataFolder(), paths.releaseYear);
    SetDefaultDirectories(macros, paths);
    const std::wstring file = JoinPath(ParentPath(paths.installPath), kConfigPathsFileName);
    if (!PathExists(file)) {
        return;
    }
    ApplyConfigPathsText(ReadSmallFile(file), macros, paths);
}

ConfigPaths LoadConfigPaths(std::int32_t fromYear, std::int32_t toYear, const QuilraSearchPlaces& places)
{
    ConfigPaths paths;
    const QuilraInstallation installation = FindQuilraInstallation(fromYear, toYear, places);
    paths.installPath = installation.path;
    paths.releaseYear = installation.releaseYear;
    ReadConfigPathsFile(paths);
    return paths;
}
