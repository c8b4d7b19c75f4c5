#include "whole_file.h"

#include <cstdio>

namespace standin {

std::optional<std::string> ReadWholeFile(const std::wstring& path)
{
    std::FILE* file = ::_wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, read);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace standin
