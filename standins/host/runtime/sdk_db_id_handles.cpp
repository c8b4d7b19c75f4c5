// The calls of the releases whose entity handle is a database identifier: the
// identifier of the entity at list position i is i + 1.

#include "host_sdk.h"

#if defined(STANDIN_SDK_DB_ID_HANDLES)

#include <optional>

#include "host_database.h"
#include "interactive_selection.h"

using standin::HostDatabase;

namespace {

DbId IdOfIndex(std::size_t index)
{
    return index < HostDatabase::Instance().EntityCount() ? DbId{index + 1} : DbId{};
}

std::optional<std::size_t> IndexOfId(DbId entity)
{
    if (!entity || entity.value > HostDatabase::Instance().EntityCount()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(entity.value - 1);
}

} // namespace

DbId DbStart()
{
    return IdOfIndex(0);
}

DbId GetNextEptr(DbId entity)
{
    const auto index = IndexOfId(entity);
    return index ? IdOfIndex(*index + 1) : DbId{};
}

DB_LIST_ENT* GetDbLegacyEntPtr(DbId entity)
{
    const auto index = IndexOfId(entity);
    return index ? HostDatabase::Instance().EntryAt(*index) : nullptr;
}

bool eptr_valid(DbId entity, bool report)
{
    const auto index = IndexOfId(entity);
    return standin::ReportValidity(index && HostDatabase::Instance().IsLive(*index), report);
}

void SelectEntity(DbId entity)
{
    if (const auto index = IndexOfId(entity)) {
        HostDatabase::Instance().SetSelected(*index, true);
    }
}

void UnselectEntity(DbId entity)
{
    if (const auto index = IndexOfId(entity)) {
        HostDatabase::Instance().SetSelected(*index, false);
    }
}

int SelectEnts(const wchar_t* prompt, std::uint32_t mask, bool& cancelled, SelectionMode /*mode*/,
               std::vector<DbId>* picked, bool multiple)
{
    return standin::PickAndSelectInto(prompt, mask, cancelled, multiple, picked, IdOfIndex);
}

#endif
