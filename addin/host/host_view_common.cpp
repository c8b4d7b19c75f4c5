// The parts of the host view that every release's SDK offers in the same form.

#include "host_sdk.h"
#include "host_version.h"
#include "host_view.h"

namespace host {

static_assert(VersionBaseOfRelease(RIGSMITH_HOST_RELEASE) != 0, "no version window for this host release");

int Release()
{
    return RIGSMITH_HOST_RELEASE;
}

int VersionBase()
{
    return VersionBaseOfRelease(RIGSMITH_HOST_RELEASE);
}

int AnswerVersion(int hostVersion)
{
    return AnswerWithinWindow(VersionBase(), hostVersion);
}

bool IsMetric()
{
    return ::IsMetric();
}

void SelectInteractively(std::uint32_t mask)
{
    bool cancelled = false;  // the picks tell all; a cancel just picks nothing
    ::SelectEnts(L"*", mask, cancelled, MC_PRESEL, nullptr, true);
}

std::optional<std::uint32_t> ColourOfIndex(int colourIndex)
{
    const ColorTableManager* table = ::GetColorTableManager();
    if (table == nullptr) {
        return std::nullopt;
    }
    return table->GetColor(colourIndex);
}

struct StlFile::HostFile {
    MCFile file;
};

StlFile::StlFile() = default;
StlFile::~StlFile() = default;

bool StlFile::Open(const std::wstring& path)
{
    file_ = std::make_unique<HostFile>();
    path_ = path;
    // 64: others may read the file while the host writes it.
    return file_->file.Open(path_.c_str(), L"wb", 64);
}

void StlFile::WriteSelected(double tolerance)
{
    if (file_ == nullptr) {
        return;
    }
    // Every level, binary, with solids, surfaces and meshes, without a progress window.
    ::wr_stl(tolerance, file_->file, path_.c_str(), -1, false, true, true, true, false);
}

} // namespace host
