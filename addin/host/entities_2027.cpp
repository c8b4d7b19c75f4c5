// The entities of release 2027, whose handle is a database identifier; the
// record still hangs off the older list entry.

#include "list_entry_handles.h"

namespace host {

namespace {

EntityRef RefOfId(DbId id)
{
    return EntityRef(static_cast<std::uintptr_t>(id.value));
}

DbId IdOfRef(EntityRef entity)
{
    return DbId{static_cast<std::uint64_t>(entity.Token())};
}

} // namespace

EntityRef FirstEntity()
{
    return RefOfId(::DbStart());
}

EntityRef NextEntity(EntityRef entity)
{
    return entity ? RefOfId(::GetNextEptr(IdOfRef(entity))) : EntityRef();
}

EntityFields ReadEntity(EntityRef entity)
{
    return detail::FieldsOfEntry(::GetDbLegacyEntPtr(IdOfRef(entity)));
}

bool IsLiveEntity(EntityRef entity)
{
    return ::eptr_valid(IdOfRef(entity), false);
}

void SelectEntity(EntityRef entity)
{
    ::SelectEntity(IdOfRef(entity));
}

void UnselectEntity(EntityRef entity)
{
    ::UnselectEntity(IdOfRef(entity));
}

} // namespace host
