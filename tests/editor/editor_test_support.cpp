#include "editor_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "guid_text.h"
#include "text_encoding.h"

namespace fs = std::filesystem;

fs::path DistributedEditorLibrary() { return BuildTreeFile(RIGSMITH_DIST_FROM_TESTS "/FramewrightDll.dll"); }

fs::path EditorLibraryWithoutRunEntry()
{
    return BuildTreeFile(RIGSMITH_FRAMEWRIGHT_WITHOUT_RUN_FROM_TESTS "/FramewrightDll.dll");
}

namespace {

// GetProcAddress gives every export one function type; going through void(*)()
// is the documented way to reach the real one without a type-punning warning.
template <typename Function>
Function LookUp(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace

FramewrightLibrary::FramewrightLibrary(const fs::path& path) : module_(::LoadLibraryW(path.c_str()))
{
    if (module_ == nullptr) {
        return;
    }
    setCreateStlFunc = LookUp<decltype(setCreateStlFunc)>(module_, "SetCreateSTLFunc");
    setExportFunc = LookUp<decltype(setExportFunc)>(module_, "SetExportFunc");
    setPreconfiguredMachineDirectory =
        LookUp<decltype(setPreconfiguredMachineDirectory)>(module_, "SetPreconfiguredMachineDirectory");
    runFramewright = LookUp<decltype(runFramewright)>(module_, "RunFramewright");
}

FramewrightLibrary::~FramewrightLibrary()
{
    if (module_ != nullptr) {
        ::FreeLibrary(module_);
    }
}

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

std::string Utf8Path(const fs::path& path) { return WideToUtf8(path.wstring()); }

std::vector<FramewrightLogRecord> ReadCallLog(const fs::path& path) { return ParseFramewrightLog(ReadBytes(path)); }

std::vector<std::string> EventsOf(const std::vector<FramewrightLogRecord>& records)
{
    std::vector<std::string> events;
    std::transform(records.begin(), records.end(), std::back_inserter(events),
                   [](const FramewrightLogRecord& record) { return record.event; });
    return events;
}

FramewrightLogRecord RecordOf(const std::vector<FramewrightLogRecord>& records, const std::string& event)
{
    const auto found = std::find_if(records.begin(), records.end(),
                                    [&](const FramewrightLogRecord& record) { return record.event == event; });
    if (found == records.end()) {
        ADD_FAILURE() << "no " << event << " record in the call log";
        return {};
    }
    return *found;
}
