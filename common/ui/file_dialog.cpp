#include "file_dialog.h"

#include <commdlg.h>

namespace {

constexpr size_t kSingleNameChars = 32768;

std::wstring ExtensionWithoutDot(const std::wstring& extension)
{
    return !extension.empty() && extension.front() == L'.' ? extension.substr(1) : extension;
}

struct DialogState {
    std::wstring filter;
    std::wstring extension;
    std::vector<wchar_t> names;
    OPENFILENAMEW ofn{};

    DialogState(const FileDialogRequest& request, size_t bufferChars, DWORD flags)
        : filter(SystemFilterText(request.filter)),
          extension(ExtensionWithoutDot(request.defaultExtension)),
          names(bufferChars + 1, L'\0')
    {
        request.initialName.copy(names.data(), std::min(request.initialName.size(), bufferChars));
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = request.owner;
        ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = names.data();
        ofn.nMaxFile = static_cast<DWORD>(bufferChars);
        ofn.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
        ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | flags | request.extraFlags;
    }
};

} // namespace

std::wstring SystemFilterText(const std::wstring& pipeSeparated)
{
    std::wstring text = pipeSeparated;
    for (wchar_t& c : text) {
        if (c == L'|') {
            c = L'\0';
        }
    }
    // The list ends with two NULs; "||" at the end already gives them, but be safe.
    text.push_back(L'\0');
    text.push_back(L'\0');
    return text;
}

std::vector<std::wstring> SplitMultiSelection(const wchar_t* buffer, size_t size)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start < size && buffer[start] != L'\0') {
        size_t end = start;
        while (end < size && buffer[end] != L'\0') {
            ++end;
        }
        parts.emplace_back(buffer + start, end - start);
        start = end + 1;
    }
    if (parts.size() <= 1) {
        return parts;
    }
    std::wstring folder = parts.front();
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    std::vector<std::wstring> paths;
    for (size_t i = 1; i < parts.size(); ++i) {
        paths.push_back(folder + parts[i]);
    }
    return paths;
}

std::optional<std::wstring> ShowOpenFileDialog(const FileDialogRequest& request)
{
    DialogState state(request, kSingleNameChars, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (!::GetOpenFileNameW(&state.ofn)) {
        return std::nullopt;
    }
    return std::wstring(state.names.data());
}

std::optional<std::wstring> ShowSaveFileDialog(const FileDialogRequest& request)
{
    DialogState state(request, kSingleNameChars, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    if (!::GetSaveFileNameW(&state.ofn)) {
        return std::nullopt;
    }
    return std::wstring(state.names.data());
}

std::vector<std::wstring> ShowOpenFilesDialog(const FileDialogRequest& request, size_t bufferChars)
{
    DialogState state(request, bufferChars,
                      OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    if (!::GetOpenFileNameW(&state.ofn)) {
        return {};
    }
    return SplitMultiSelection(state.names.data(), state.names.size());
}
