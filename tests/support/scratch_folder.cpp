#include "scratch_folder.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "guid_text.h"

ScratchFolder::ScratchFolder()
{
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) {
        throw std::runtime_error("no temporary folder");
    }
    path_ = std::wstring(temp, length) + L"rigsmith-test-" + MakeGuidWString();
    if (!::CreateDirectoryW(path_.c_str(), nullptr)) {
        throw std::runtime_error("cannot create a scratch folder");
    }
}

ScratchFolder::~ScratchFolder()
{
    RemoveFolderTree(path_);
}

std::wstring ScratchFolder::MakeFolder(const std::wstring& relative) const
{
    const std::wstring full = *this / relative;
    std::error_code error;
    std::filesystem::create_directories(full, error);
    return full;
}

std::wstring ScratchFolder::WriteFile(const std::wstring& relative, const std::string& bytes) const
{
    const std::filesystem::path full(*this / relative);
    std::error_code error;
    std::filesystem::create_directories(full.parent_path(), error);
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write a scratch file");
    }
    return full.wstring();
}

bool RemoveFolderTree(const std::wstring& path)
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return !std::filesystem::exists(path, error);
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(std::wstring name, const std::wstring* value)
    : name_(std::move(name))
{
    const DWORD size = ::GetEnvironmentVariableW(name_.c_str(), nullptr, 0);
    if (size > 0) {
        std::vector<wchar_t> buffer(size);
        ::GetEnvironmentVariableW(name_.c_str(), buffer.data(), size);
        oldValue_ = buffer.data();
        hadValue_ = true;
    }
    ::SetEnvironmentVariableW(name_.c_str(), value ? value->c_str() : nullptr);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable()
{
    ::SetEnvironmentVariableW(name_.c_str(), hadValue_ ? oldValue_.c_str() : nullptr);
}
