#include "host_database.h"

#include <windows.h>

#include <cstdint>
#include <utility>

#include "text_encoding.h"

namespace standin {

HostDatabase& HostDatabase::Instance()
{
    static HostDatabase database;
    return database;
}

void HostDatabase::Open(Drawing drawing)
{
    drawing_ = std::move(drawing);
    levelNames_.clear();
    for (const Level& level : drawing_.levels) {
        levelNames_.push_back(Utf8ToWide(level.name));
    }
    records_.clear();
    for (const Entity& entity : drawing_.entities) {
        records_.push_back({entity.typeCode, static_cast<std::uint16_t>(entity.selected ? ENTITY_SELECTED : 0),
                            entity.colourIndex, entity.level, entity.number});
    }
    entries_.assign(records_.size(), DB_LIST_ENT{});
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        entries_[i] = {i + 1 < entries_.size() ? &entries_[i + 1] : nullptr, &records_[i]};
    }
    colourTable_.reset();
    if (drawing_.colourTable) {
        std::array<std::uint32_t, 256> colours{};
        for (const auto& [index, colour] : *drawing_.colourTable) {
            colours[static_cast<std::size_t>(index)] = colour;
        }
        colourTable_.emplace(colours);
    }
    for (DB_LIST_ENT** variable : firstEntryVariables_) {
        *variable = EntryAt(0);
    }
}

void HostDatabase::KeepFirstEntryIn(DB_LIST_ENT** variable)
{
    firstEntryVariables_.push_back(variable);
    *variable = EntryAt(0);
}

DB_LIST_ENT* HostDatabase::EntryAt(std::size_t index)
{
    return index < entries_.size() ? &entries_[index] : nullptr;
}

std::optional<std::size_t> HostDatabase::IndexOfEntry(const DB_LIST_ENT* entry) const
{
    // Handles come from outside: work on addresses, without assuming they point into the list.
    const auto address = reinterpret_cast<std::uintptr_t>(entry);
    const auto first = reinterpret_cast<std::uintptr_t>(entries_.data());
    if (entry == nullptr || address < first) {
        return std::nullopt;
    }
    const std::uintptr_t offset = address - first;
    if (offset % sizeof(DB_LIST_ENT) != 0 || offset / sizeof(DB_LIST_ENT) >= entries_.size()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(offset / sizeof(DB_LIST_ENT));
}

void HostDatabase::SetSelected(std::size_t index, bool selected)
{
    std::uint16_t& flags = records_[index].selectionFlags;
    flags = static_cast<std::uint16_t>(selected ? flags | ENTITY_SELECTED : flags & ~ENTITY_SELECTED);
}

std::vector<int> HostDatabase::ActiveLevelNumbers() const
{
    std::vector<int> numbers;
    for (const Level& level : drawing_.levels) {
        if (level.active) {
            numbers.push_back(level.number);
        }
    }
    return numbers;
}

std::vector<int> HostDatabase::LevelNumbersNamed(const std::wstring& name) const
{
    std::vector<int> numbers;
    for (std::size_t i = 0; i < levelNames_.size(); ++i) {
        if (levelNames_[i] == name) {
            numbers.push_back(drawing_.levels[i].number);
        }
    }
    return numbers;
}

bool ReportValidity(bool valid, bool report)
{
    if (!valid && report) {
        ::OutputDebugStringW(L"Stand-in host: invalid entity handle\n");
    }
    return valid;
}

std::wstring HostDatabase::LevelName(int number) const
{
    for (std::size_t i = 0; i < levelNames_.size(); ++i) {
        if (drawing_.levels[i].number == number) {
            return levelNames_[i];
        }
    }
    return {};
}

} // namespace standin
