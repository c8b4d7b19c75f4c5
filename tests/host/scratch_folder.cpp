#include "scratch_folder.h"

#include <fstream>
#include <iterator>

#include "guid_text.h"

ScratchFolder::ScratchFolder()
    : path_(std::filesystem::temp_directory_path() / (L"standin-host-" + MakeGuidWString()))
{
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::Write(const std::wstring& name, std::string_view bytes) const
{
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
