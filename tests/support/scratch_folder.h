#pragma once

#include <string>

// A fresh folder under the temporary folder, removed with everything in it
// when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, without a final backslash.
    [[nodiscard]] const std::wstring& Path() const noexcept { return path_; }
    // Path() + "\\" + relative.
    [[nodiscard]] std::wstring operator/(const std::wstring& relative) const { return path_ + L"\\" + relative; }

    // Creates the folder and its missing parents below Path(); returns its full path.
    std::wstring MakeFolder(const std::wstring& relative) const;
    // Writes a file (creating its folders); returns its full path.
    std::wstring WriteFile(const std::wstring& relative, const std::string& bytes) const;

private:
    std::wstring path_;
};

// Removes a folder tree; true when nothing is left.
bool RemoveFolderTree(const std::wstring& path);

// Sets an environment variable of this process for the lifetime of the object.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(std::wstring name, const std::wstring* value);
    ScopedEnvironmentVariable(std::wstring name, const std::wstring& value) : ScopedEnvironmentVariable(name, &value) {}
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::wstring name_;
    bool hadValue_ = false;
    std::wstring oldValue_;
};
