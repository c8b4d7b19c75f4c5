#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// What a system file dialog is asked for. The filter is written as pairs of
// description and pattern separated by "|" and closed by "||", e.g.
// "STL Files (*.stl)|*.stl||".
struct FileDialogRequest {
    HWND owner = nullptr;
    std::wstring filter;
    std::wstring defaultExtension;  // with or without its leading "."
    std::wstring initialName;
    std::wstring initialFolder;
    DWORD extraFlags = 0;  // OFN_* beyond the explorer style
};

// One chosen file, or nothing when the user cancelled or the dialog failed.
std::optional<std::wstring> ShowOpenFileDialog(const FileDialogRequest& request);
std::optional<std::wstring> ShowSaveFileDialog(const FileDialogRequest& request);

// Several chosen files as full paths in the dialog's order; empty when
// cancelled. The name buffer holds bufferChars characters.
std::vector<std::wstring> ShowOpenFilesDialog(const FileDialogRequest& request, size_t bufferChars);

// "A|*.a||" as the NUL-separated list that the system dialog takes.
std::wstring SystemFilterText(const std::wstring& pipeSeparated);

// Splits the multi-selection buffer of an explorer-style dialog (folder, then
// NUL-separated names, or one full path) into full paths.
std::vector<std::wstring> SplitMultiSelection(const wchar_t* buffer, size_t size);
