#pragma once

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framewright_api.h"
#include "framewright_log_format.h"
#include "build_tree.h"
#include "scratch_folder.h"

std::filesystem::path DistributedEditorLibrary();
std::filesystem::path EditorLibraryWithoutRunEntry();

// The editor library loaded from a path, with whichever entry points it exports.
class FramewrightLibrary {
public:
    explicit FramewrightLibrary(const std::filesystem::path& path);
    ~FramewrightLibrary();
    FramewrightLibrary(const FramewrightLibrary&) = delete;
    FramewrightLibrary& operator=(const FramewrightLibrary&) = delete;

    [[nodiscard]] bool Loaded() const { return module_ != nullptr; }

    decltype(&SetCreateSTLFunc) setCreateStlFunc = nullptr;
    decltype(&SetExportFunc) setExportFunc = nullptr;
    decltype(&SetPreconfiguredMachineDirectory) setPreconfiguredMachineDirectory = nullptr;
    decltype(&RunFramewright) runFramewright = nullptr;

private:
    HMODULE module_ = nullptr;
};



std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// The path as the host hands it to the editor: UTF-8.
std::string Utf8Path(const std::filesystem::path& path);
std::vector<FramewrightLogRecord> ReadCallLog(const std::filesystem::path& path);
std::vector<std::string> EventsOf(const std::vector<FramewrightLogRecord>& records);
// The first record of that event; fails the test when there is none.
FramewrightLogRecord RecordOf(const std::vector<FramewrightLogRecord>& records, const std::string& event);
