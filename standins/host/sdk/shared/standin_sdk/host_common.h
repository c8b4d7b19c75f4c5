#pragma once

// The host operations that every release offers in the same form.

#include <array>
#include <cstdint>
#include <cstdio>

#include "standin_sdk/sdk_api.h"

// The record of one drawing entity.
struct EntityRecord {
    std::uint32_t typeCode;
    std::uint16_t selectionFlags;  // ENTITY_SELECTED while the entity is selected
    std::uint8_t colourIndex;
    std::int32_t level;
    std::int32_t entityNumber;  // what the user sees; not unique among deleted entities
};

inline constexpr std::uint16_t ENTITY_SELECTED = 4;

// An entry of the drawing's entity list; the record hangs off it.
struct DB_LIST_ENT {
    DB_LIST_ENT* next;
    EntityRecord* record;
};

// How the interactive selection treats entities selected before it: with
// MC_PRESEL they stay selected and the picks are added.
enum SelectionMode : int { MC_PRESEL = 0 };

STANDIN_SDK_API bool IsMetric();

// The drawing's colour table: colour index to colour value, red in the low
// byte, then green, then blue.
class ColorTableManager {
public:
    explicit ColorTableManager(const std::array<std::uint32_t, 256>& colours) : colours_(colours) {}

    // 0 (black) for an index the table does not hold.
    [[nodiscard]] std::uint32_t GetColor(int index) const
    {
        return index >= 0 && index < static_cast<int>(colours_.size()) ? colours_[static_cast<std::size_t>(index)] : 0;
    }

private:
    std::array<std::uint32_t, 256> colours_;
};

// Null when the drawing has no colour table.
STANDIN_SDK_API ColorTableManager* GetColorTableManager();

// A file the host writes into. Closed when the object is destroyed.
class STANDIN_SDK_API MCFileBase {
public:
    MCFileBase();
    virtual ~MCFileBase();
    MCFileBase(const MCFileBase&) = delete;
    MCFileBase& operator=(const MCFileBase&) = delete;

    // Mode as the C library's file modes ("wb": binary, created or emptied);
    // share as its shared-open flags (64: others may read and write meanwhile).
    bool Open(const wchar_t* path, const wchar_t* mode, int share);
    void Close();
    [[nodiscard]] bool IsOpen() const { return stream_ != nullptr; }
    [[nodiscard]] std::FILE* Stream() const { return stream_; }

private:
    std::FILE* stream_ = nullptr;
};

class STANDIN_SDK_API MCFile : public MCFileBase {
public:
    MCFile();
    ~MCFile() override;
};

// Writes the selected entities as STL into the open file, triangulated so that
// curved faces stay within the tolerance. level: only that level, or -1 for
// every level; ascii: the text form (this host writes only the binary form and
// refuses it); solids, surfaces, meshes: which kinds of entity to write;
// progress: show a progress window (this host never does). True when written.
STANDIN_SDK_API bool wr_stl(double tolerance, MCFileBase& file, const wchar_t* path, int level, bool ascii,
                            bool solids, bool surfaces, bool meshes, bool progress);
