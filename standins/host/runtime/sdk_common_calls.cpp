// The host calls that every release offers in the same form.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "binary_stl.h"
#include "entity_types.h"
#include "host_database.h"
#include "tessellation.h"
#include "text_encoding.h"

using standin::HostDatabase;

bool IsMetric()
{
    return HostDatabase::Instance().OpenDrawing().metric;
}

ColorTableManager* GetColorTableManager()
{
    return HostDatabase::Instance().ColourTable();
}

MCFileBase::MCFileBase() = default;

MCFileBase::~MCFileBase()
{
    Close();
}

bool MCFileBase::Open(const wchar_t* path, const wchar_t* mode, int share)
{
    Close();
    if (path == nullptr || mode == nullptr) {
        return false;
    }
    stream_ = ::_wfsopen(path, mode, share);
    return stream_ != nullptr;
}

void MCFileBase::Close()
{
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

MCFile::MCFile() = default;
MCFile::~MCFile() = default;

namespace {

bool KindWanted(standin::EntityKind kind, bool solids, bool surfaces, bool meshes)
{
    switch (kind) {
    case standin::EntityKind::Solid: return solids;
    case standin::EntityKind::Surface: return surfaces;
    case standin::EntityKind::Mesh: return meshes;
    case standin::EntityKind::Other: break;
    }
    return false;
}

std::string StlHeader(const wchar_t* path)
{
    const std::wstring name = path != nullptr ? std::filesystem::path(path).filename().wstring() : std::wstring();
    return "Stand-in host binary STL: " + WideToUtf8(name);
}

} // namespace

bool wr_stl(double tolerance, MCFileBase& file, const wchar_t* path, int level, bool ascii, bool solids,
            bool surfaces, bool meshes, bool /*progress*/)
{
    if (!file.IsOpen() || ascii) {
        return false;
    }
    HostDatabase& database = HostDatabase::Instance();
    std::vector<standin::Triangle> triangles;
    for (std::size_t i = 0; i < database.EntityCount(); ++i) {
        const standin::Entity& entity = database.EntityAt(i);
        if (!database.IsLive(i) || !database.IsSelected(i) || (level != -1 && entity.level != level) ||
            !entity.shape || !KindWanted(standin::KindOfType(entity.typeCode), solids, surfaces, meshes)) {
            continue;
        }
        const std::vector<standin::Triangle> shape = standin::Tessellate(*entity.shape, tolerance);
        triangles.insert(triangles.end(), shape.begin(), shape.end());
    }
    const std::string bytes = standin::BinaryStl(StlHeader(path), triangles);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.Stream()) == bytes.size();
    return std::fflush(file.Stream()) == 0 && written;
}
