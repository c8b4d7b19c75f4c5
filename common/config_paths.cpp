#include "config_paths.h"

#include <array>
#include <string_view>

namespace {

constexpr std::wstring_view kBlanks = L" \t\r\n";

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsBareDrive(const std::wstring& path)
{
    return path.size() == 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

std::wstring WithFinalBackslash(std::wstring directory)
{
    if (!directory.empty() && directory.back() != L'\\') {
        directory += L'\\';
    }
    return directory;
}

// A value can only be as good as the macros it uses: one that needs a root or
// application-data folder that is not known would point at the drive root.
bool UsesMissingMacro(const PathMacros& macros, const std::wstring& value)
{
    return (macros.appData.empty() && value.find(L"%APPDATA%") != std::wstring::npos) ||
           (macros.rootDir.empty() && value.find(L"%ROOTDIR%") != std::wstring::npos);
}

enum class ConfigKey { RootDir, Types, MachineCfg, Cfg, Data, None };

// The keys are prefixes tried in this order, so "MACHINECFG" is never taken for "CFG".
ConfigKey KeyOfLine(const std::wstring& line)
{
    static constexpr std::array<std::pair<std::wstring_view, ConfigKey>, 5> kKeys{{
        {L"ROOTDIR", ConfigKey::RootDir},
        {L"TYPES", ConfigKey::Types},
        {L"MACHINECFG", ConfigKey::MachineCfg},
        {L"CFG", ConfigKey::Cfg},
        {L"DATA", ConfigKey::Data},
    }};
    for (const auto& [name, key] : kKeys) {
        if (std::wstring_view(line).substr(0, name.size()) == name) {
            return key;
        }
    }
    return ConfigKey::None;
}

void ApplyLine(const std::wstring& line, PathMacros& macros, ConfigPaths& paths)
{
    const ConfigKey key = KeyOfLine(line);
    if (key == ConfigKey::None) {
        return;
    }
    const std::wstring value = ValueOfLine(line);
    if (value.empty() || UsesMissingMacro(macros, value)) {
        return;
    }
    const std::wstring expanded = ExpandPathMacros(macros, value);
    switch (key) {
    case ConfigKey::RootDir:
        macros.rootDir = expanded;
        break;
    case ConfigKey::Types:
        paths.typesDir = WithFinalBackslash(expanded);
        break;
    case ConfigKey::MachineCfg:
        paths.machineCfgDir = WithFinalBackslash(expanded);
        break;
    case ConfigKey::Cfg:
        paths.cfgDir = WithFinalBackslash(expanded);
        break;
    case ConfigKey::Data:
        paths.dataDir = WithFinalBackslash(expanded);
        break;
    case ConfigKey::None:
        break;
    }
}

void ReplaceAll(std::wstring& text, std::wstring_view macro, const std::wstring& value)
{
    size_t position = 0;
    while ((position = text.find(macro, position)) != std::wstring::npos) {
        text.replace(position, macro.size(), value);
        position += value.size();
    }
}

} // namespace

PathMacros MakePathMacros(const std::wstring& appData, std::int32_t releaseYear)
{
    PathMacros macros;
    macros.appData = appData;
    macros.vendorDir = L"Torla " + std::to_wstring(releaseYear);
    macros.productDir = kQuilraProductDir;
    if (!appData.empty()) {
        macros.rootDir = appData + L"\\" + macros.vendorDir + L"\\" + macros.productDir;
    }
    return macros;
}

void SetDefaultDirectories(const PathMacros& macros, ConfigPaths& paths)
{
    if (macros.rootDir.empty()) {
        paths.cfgDir.clear();
        paths.machineCfgDir.clear();
        paths.typesDir.clear();
        paths.dataDir.clear();
        return;
    }
    paths.cfgDir = macros.rootDir + L"\\Cfg\\";
    paths.machineCfgDir = macros.rootDir + L"\\MachineCfg\\";
    paths.typesDir = macros.rootDir + L"\\Types\\";
    paths.dataDir = macros.rootDir + L"\\Data\\";
}

void ApplyConfigPathsText(std::string_view fileBytes, PathMacros& macros, ConfigPaths& paths)
{
    size_t start = 0;
    while (start < fileBytes.size()) {
        size_t end = fileBytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = fileBytes.size();
        }
        std::wstring line;
        line.reserve(end - start);
        for (size_t i = start; i < end; ++i) {
            line += static_cast<wchar_t>(static_cast<unsigned char>(fileBytes[i]));
        }
        ApplyLine(line, macros, paths);
        start = end + 1;
    }
}

std::wstring ValueOfLine(const std::wstring& line)
{
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
        return {};
    }
    const size_t first = line.find_first_not_of(kBlanks, equals + 1);
    if (first == std::wstring::npos) {
        return {};
    }
    const size_t last = line.find_last_not_of(kBlanks);
    return line.substr(first, last - first + 1);
}

std::wstring ExpandPathMacros(const PathMacros& macros, const std::wstring& text)
{
    std::wstring result = text;
    ReplaceAll(result, L"%APPDATA%", macros.appData);
    ReplaceAll(result, L"%VENDORDIR%", macros.vendorDir);
    ReplaceAll(result, L"%PRODUCTDIR%", macros.productDir);
    ReplaceAll(result, L"%ROOTDIR%", macros.rootDir);
    return result;
}

std::wstring JoinPath(const std::wstring& first, const std::wstring& second)
{
    if (first.empty() || IsSeparator(first.back()) || IsBareDrive(first)) {
        return first + second;
    }
    return first + L"\\" + second;
}

std::wstring ParentPath(const std::wstring& path)
{
    size_t end = path.size();
    if (end > 0 && !IsSeparator(path[end - 1])) {
        while (end > 0 && !IsSeparator(path[end - 1])) {
            --end;
        }
    }
    // Drop the separators before the removed element, but keep a root such as "C:\\".
    while (end > 1 && IsSeparator(path[end - 1]) && !(end == 3 && path[1] == L':')) {
        --end;
    }
    return path.substr(0, end);
}
