#include "host_geometry.h"

#include <algorithm>
#include <array>
#include <set>

#include "host/host_view.h"

namespace {

// The entity types that become STL: solids, surfaces and meshes.
constexpr std::array<std::uint32_t, 5> kStlTypes = {0x100, 0x10000, 0x20000, 0x100000, 0x200000};
constexpr std::uint32_t kInteractiveSelectionMask = 0x110100;
// Levels the simulator keeps for itself.
constexpr std::array<const wchar_t*, 2> kReservedLevelNames = {L"Torla", L"TORLAPELORA"};

bool BecomesStl(std::uint32_t typeCode)
{
    return std::find(kStlTypes.begin(), kStlTypes.end(), typeCode) != kStlTypes.end();
}

void Unselect(const std::vector<host::EntityRef>& entities)
{
    for (const host::EntityRef entity : entities) {
        host::UnselectEntity(entity);
    }
}

// Selects exactly the entities, has the host write them and clears their
// selection again, also when the file cannot be opened.
StlWriteResult WriteEntities(const std::vector<host::EntityRef>& entities, int highestColourIndex,
                             const std::wstring& path, double tolerance, std::uint32_t& colour)
{
    if (entities.empty()) {
        return StlWriteResult::NothingToWrite;
    }
    for (const host::EntityRef entity : entities) {
        host::SelectEntity(entity);
    }
    host::StlFile file;
    if (!file.Open(path)) {
        Unselect(entities);
        return StlWriteResult::CannotWrite;
    }
    colour = host::ColourOfIndex(highestColourIndex).value_or(0);
    file.WriteSelected(tolerance);
    Unselect(entities);
    return StlWriteResult::Written;
}

// The live entities whose numbers are listed, in the host's order.
std::vector<host::EntityRef> FindEntitiesByNumber(const std::vector<std::int32_t>& numbers)
{
    const std::set<std::int32_t> wanted(numbers.begin(), numbers.end());
    std::vector<host::EntityRef> found;
    for (const host::EntityRef entity : host::Entities()) {
        if (host::IsLiveEntity(entity) && wanted.count(host::ReadEntity(entity).entityNumber) != 0) {
            found.push_back(entity);
        }
    }
    return found;
}

} // namespace

LevelList ListLevels()
{
    const std::vector<int> active = host::ActiveLevelNumbers();
    if (active.empty()) {
        return {};
    }
    std::set<int> reserved;
    for (const wchar_t* name : kReservedLevelNames) {
        const std::vector<int> numbers = host::LevelNumbersByName(name);
        reserved.insert(numbers.begin(), numbers.end());
    }
    LevelList levels;
    for (const int number : active) {
        if (reserved.count(number) == 0) {
            levels[number] = host::LevelName(number);
        }
    }
    return levels;
}

std::vector<std::int32_t> SelectInHost()
{
    for (const host::EntityRef entity : host::Entities()) {
        if (host::ReadEntity(entity).IsSelected()) {
            host::UnselectEntity(entity);
        }
    }
    host::SelectInteractively(kInteractiveSelectionMask);
    std::vector<std::int32_t> numbers;
    for (const host::EntityRef entity : host::Entities()) {
        const host::EntityFields fields = host::ReadEntity(entity);
        if (fields.IsSelected()) {
            numbers.push_back(fields.entityNumber);
            host::UnselectEntity(entity);
        }
    }
    return numbers;
}

StlWriteResult WriteLevelStl(std::int32_t level, const std::wstring& path, double tolerance, std::uint32_t& colour)
{
    std::vector<host::EntityRef> entities;
    int highestColourIndex = 0;
    for (const host::EntityRef entity : host::Entities()) {
        const host::EntityFields fields = host::ReadEntity(entity);
        if (fields.level == level && BecomesStl(fields.typeCode) && host::IsLiveEntity(entity)) {
            entities.push_back(entity);
            highestColourIndex = std::max<int>(highestColourIndex, fields.colourIndex);
        }
        // Only the entities of this file may be selected when the host writes it.
        host::UnselectEntity(entity);
    }
    return WriteEntities(entities, highestColourIndex, path, tolerance, colour);
}

StlWriteResult WriteSelectionStl(const std::vector<std::int32_t>& entityNumbers, const std::wstring& path,
                                 double tolerance, std::uint32_t& colour)
{
    // Whatever else is selected in the host by now would land in the file too.
    for (const host::EntityRef entity : host::Entities()) {
        host::UnselectEntity(entity);
    }
    std::vector<host::EntityRef> entities;
    int highestColourIndex = 0;
    for (const host::EntityRef entity : FindEntitiesByNumber(entityNumbers)) {
        const host::EntityFields fields = host::ReadEntity(entity);
        if (BecomesStl(fields.typeCode)) {
            entities.push_back(entity);
            highestColourIndex = std::max<int>(highestColourIndex, fields.colourIndex);
        }
    }
    return WriteEntities(entities, highestColourIndex, path, tolerance, colour);
}
