#include "geometry_assignment.h"

#include <windows.h>

#include <optional>

#include "file_bytes.h"
#include "stl_path_list.h"
#include "text_encoding.h"
#include "user_configuration.h"

namespace {

// A file the user picked as it was has no colour of its own in the answer.
constexpr char kColourOfPickedFile[] = "0x808080";
constexpr int kMostNameVariants = 999;

struct SourceFile {
    std::wstring name;
    std::string bytes;
    std::string colour;
};

std::wstring MachineFolderOf(const std::wstring& machineDocument)
{
    const size_t separator = machineDocument.find_last_of(L"\\/");
    const std::wstring fileName =
        separator == std::wstring::npos ? machineDocument : machineDocument.substr(separator + 1);
    const std::wstring machineName = fileName.substr(0, fileName.rfind(L'.'));
    return separator == std::wstring::npos ? machineName : machineDocument.substr(0, separator + 1) + machineName;
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

// "name.stl", then "name (2).stl", "name (3).stl" ...
std::wstring NameVariant(const std::wstring& name, int number)
{
    if (number == 1) {
        return name;
    }
    const size_t dot = name.rfind(L'.');
    const std::wstring suffix = L" (" + std::to_wstring(number) + L")";
    return dot == std::wstring::npos || dot == 0 ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
}

// Stores the bytes in the folder under the file's name, unless a different file
// already has that name: then the first free variant of the name is used, so an
// assignment never changes the geometry that another component uses. A file
// with the same bytes is used as it is.
std::optional<std::wstring> StoreInFolder(const std::wstring& folder, const SourceFile& file)
{
    for (int number = 1; number <= kMostNameVariants; ++number) {
        const std::wstring name = NameVariant(file.name, number);
        const std::wstring target = folder + L"\\" + name;
        if (::GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            return ReplaceFileBytes(target, file.bytes) ? std::optional(name) : std::nullopt;
        }
        if (ReadFileBytes(target) == file.bytes) {
            return name;
        }
    }
    return std::nullopt;
}

AssignmentResult Failed(std::string message) { return {false, {}, std::move(message)}; }

} // namespace

AssignmentResult AssignGeometry(const std::wstring& machineDocument, const std::string& componentGuid,
                                const std::string& stlPathList)
{
    std::vector<SourceFile> sources;
    for (const StlPathEntry& entry : ParseStlPathList(stlPathList)) {
        const std::wstring path = Utf8ToWide(entry.path);
        std::optional<std::string> bytes = ReadFileBytes(path);
        if (!bytes) {
            return Failed("cannot read " + entry.path);
        }
        sources.push_back({FileNameOf(path), std::move(*bytes),
                           entry.colour.empty() ? std::string(kColourOfPickedFile) : entry.colour});
    }
    if (sources.empty()) {
        return Failed("the geometry answer names no file");
    }

    const std::wstring folder = MachineFolderOf(machineDocument);
    if (!::CreateDirectoryW(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        return Failed("cannot create the machine folder " + WideToUtf8(folder));
    }
    const std::wstring configPath = folder + L"\\config.json";
    UserConfiguration configuration = LoadUserConfiguration(configPath);
    if (!configuration.error.empty()) {
        return Failed(configuration.error);
    }

    AssignmentResult result{true, {}, {}};
    Json::Value geometry(Json::arrayValue);
    for (const SourceFile& source : sources) {
        const std::optional<std::wstring> stored = StoreInFolder(folder, source);
        if (!stored) {
            return Failed("cannot store " + WideToUtf8(source.name) + " in the machine folder");
        }
        Json::Value item(Json::objectValue);
        item["Path"] = WideToUtf8(*stored);
        item["Colour"] = source.colour;
        geometry.append(item);
        result.storedFiles.push_back(WideToUtf8(*stored));
    }
    PutModel(configuration, componentGuid, geometry);
    if (!SaveUserConfiguration(configPath, configuration)) {
        return Failed("cannot write config.json");
    }
    return result;
}
