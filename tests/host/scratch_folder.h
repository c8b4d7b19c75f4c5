#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A folder of the test's own under the temporary folder, removed with its
// contents when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

    // Writes the bytes into a file of the folder and returns its path.
    std::filesystem::path Write(const std::wstring& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
