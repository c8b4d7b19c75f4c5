#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "drawing.h"
#include "standin_sdk/host_common.h"

namespace standin {

// The open drawing as the host's calls see it: the drawing model plus the
// records and entity list the SDK hands out. One per process, like the host's
// own database; calls are expected on one thread at a time.
class HostDatabase {
public:
    static HostDatabase& Instance();

    // Replaces the open drawing; every handle of the previous one becomes invalid.
    void Open(Drawing drawing);

    // The older releases hand the start of the entity list out as a variable:
    // the database keeps it pointing at the first entry of the open drawing.
    void KeepFirstEntryIn(DB_LIST_ENT** variable);

    [[nodiscard]] const Drawing& OpenDrawing() const { return drawing_; }
    [[nodiscard]] std::size_t EntityCount() const { return entries_.size(); }

    // Null past the last entity.
    [[nodiscard]] DB_LIST_ENT* EntryAt(std::size_t index);
    // Nothing for a pointer that is not an entry of the open drawing.
    [[nodiscard]] std::optional<std::size_t> IndexOfEntry(const DB_LIST_ENT* entry) const;

    [[nodiscard]] bool IsLive(std::size_t index) const { return !drawing_.entities[index].deleted; }
    [[nodiscard]] const Entity& EntityAt(std::size_t index) const { return drawing_.entities[index]; }
    [[nodiscard]] EntityRecord& RecordAt(std::size_t index) { return records_[index]; }

    void SetSelected(std::size_t index, bool selected);
    [[nodiscard]] bool IsSelected(std::size_t index) const
    {
        return (records_[index].selectionFlags & ENTITY_SELECTED) != 0;
    }

    // Null when the drawing has no colour table.
    [[nodiscard]] ColorTableManager* ColourTable() { return colourTable_ ? &*colourTable_ : nullptr; }

    [[nodiscard]] std::vector<int> ActiveLevelNumbers() const;
    [[nodiscard]] std::vector<int> LevelNumbersNamed(const std::wstring& name) const;
    [[nodiscard]] std::wstring LevelName(int number) const;

private:
    Drawing drawing_;
    std::vector<std::wstring> levelNames_;  // beside drawing_.levels
    std::vector<EntityRecord> records_;     // beside drawing_.entities
    std::vector<DB_LIST_ENT> entries_;      // beside drawing_.entities
    std::optional<ColorTableManager> colourTable_;
    std::vector<DB_LIST_ENT**> firstEntryVariables_;
};

// What eptr_valid answers; with report set, an invalid handle is also told to the debugger.
bool ReportValidity(bool valid, bool report);

} // namespace standin
