#include "machine_directory.h"

#include <windows.h>

#include <array>

#include "app_data.h"
#include "text_encoding.h"

namespace {

// Owns a FindFirstFileExW search.
class DirectorySearch {
public:
    explicit DirectorySearch(const std::wstring& folder)
    {
        std::wstring pattern = folder;
        if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') {
            pattern += L'\\';
        }
        pattern += L'*';
        handle_ = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data_, FindExSearchNameMatch, nullptr, 0);
    }
    ~DirectorySearch()
    {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::FindClose(handle_);
        }
    }
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;

    [[nodiscard]] bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    [[nodiscard]] const WIN32_FIND_DATAW& Current() const { return data_; }
    bool Next() { return ::FindNextFileW(handle_, &data_) != FALSE; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data_{};
};

// The extension as the standard path library sees it: from the last "." of the
// name, where a name whose only "." is its first character has none.
bool HasMachineFileExtension(const std::wstring& name)
{
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos || dot == 0 || name == L"..") {
        return false;
    }
    std::wstring extension = name.substr(dot);
    for (wchar_t& c : extension) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c - L'A' + L'a');
        }
    }
    return extension == kMachineFileExtension;
}

std::wstring WithFinalSeparator(std::wstring folder)
{
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
        folder += L'\\';
    }
    return folder;
}

} // namespace

bool FolderHasMachineFile(const std::wstring& folder)
{
    if (folder.empty()) {
        return false;
    }
    DirectorySearch search(folder);
    if (!search.IsOpen()) {
        return false;
    }
    do {
        const std::wstring name = search.Current().cFileName;
        if (HasMachineFileExtension(name) && IsExistingRegularFile(WithFinalSeparator(folder) + name)) {
            return true;
        }
    } while (search.Next());
    return false;
}

bool FolderHasMachineFile(const std::string& folderUtf8)
{
    return FolderHasMachineFile(Utf8ToWide(folderUtf8));
}

std::wstring DefaultMachineDirectory()
{
    const std::wstring appData = ReadAppDataFolder();
    if (appData.empty()) {
        return {};
    }
    static constexpr std::array<const wchar_t*, 5> kReleases = {L"2026", L"2025", L"2024", L"2023", L"2022"};
    for (const wchar_t* release : kReleases) {
        const std::wstring candidate =
            appData + L"\\Torla " + release + L"\\TorlaQuilra\\MachineCfg\\";
        if (IsExistingFolder(candidate) && FolderHasMachineFile(candidate)) {
            return candidate;
        }
    }
    const std::wstring fallback = appData + L"\\Torla Pelora\\Rigsmith\\";
    if (!IsExistingFolder(fallback)) {
        // Only this one folder: without "Torla Pelora" the simulator is not installed for this user.
        ::CreateDirectoryW(fallback.c_str(), nullptr);
    }
    return fallback;
}

std::string DefaultMachineDirectoryUtf8()
{
    return WideToUtf8(DefaultMachineDirectory());
}
