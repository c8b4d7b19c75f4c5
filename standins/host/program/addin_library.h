#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "standin_sdk/addin_entry.h"

namespace standin {

// An add-in library loaded into the host, with the two entries the host calls.
class AddinLibrary {
public:
    // Null with a message when the library cannot be loaded or lacks an entry.
    static std::unique_ptr<AddinLibrary> Load(const std::wstring& path, std::string& error);
    ~AddinLibrary();
    AddinLibrary(const AddinLibrary&) = delete;
    AddinLibrary& operator=(const AddinLibrary&) = delete;

    [[nodiscard]] int AnswerVersion(int hostVersion) const { return version_(hostVersion); }
    [[nodiscard]] int RunCommand() const { return command_(nullptr); }

private:
    AddinLibrary(HMODULE module, AddinVersionEntry version, AddinCommandEntry command)
        : module_(module), version_(version), command_(command)
    {
    }

    HMODULE module_;
    AddinVersionEntry version_;
    AddinCommandEntry command_;
};

} // namespace standin
