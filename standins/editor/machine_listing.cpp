#include "machine_listing.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "split_text.h"
#include "text_encoding.h"

namespace {

struct FindHandleCloser {
    void operator()(HANDLE handle) const { ::FindClose(handle); }
};

bool HasMachineExtension(const std::wstring& name)
{
    const size_t dot = name.rfind(L'.');
    return dot != std::wstring::npos && dot != 0 &&
           ::CompareStringOrdinal(name.c_str() + dot, -1, L".mcfg", -1, TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> MachineNamesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    const HANDLE found = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (found == INVALID_HANDLE_VALUE) {
        return names;
    }
    const std::unique_ptr<void, FindHandleCloser> closer(found);
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && HasMachineExtension(entry.cFileName)) {
            names.emplace_back(entry.cFileName);
        }
    } while (::FindNextFileW(found, &entry));
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::vector<std::wstring> MachineFolders(const std::string& machineDirectoryUtf8,
                                         const std::string& preconfiguredFoldersUtf8)
{
    std::vector<std::wstring> folders;
    std::vector<std::string_view> entries{machineDirectoryUtf8};
    for (std::string_view entry : SplitText(preconfiguredFoldersUtf8, ';')) {
        entries.push_back(entry);
    }
    for (std::string_view entry : entries) {
        std::wstring folder = Utf8ToWide(entry);
        while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) {
            folder.pop_back();
        }
        if (!folder.empty()) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

std::vector<std::wstring> ListMachineDocuments(const std::vector<std::wstring>& folders)
{
    std::vector<std::wstring> documents;
    for (const std::wstring& folder : folders) {
        for (const std::wstring& name : MachineNamesIn(folder)) {
            std::wstring path = folder + L"\\" + name;
            if (std::find(documents.begin(), documents.end(), path) == documents.end()) {
                documents.push_back(std::move(path));
            }
        }
    }
    return documents;
}
