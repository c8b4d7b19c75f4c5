// The entity walk of the releases whose entity handle is the list entry (2021 to 2026).

#include "list_entry_handles.h"

namespace host {

using detail::EntryOfRef;

EntityRef NextEntity(EntityRef entity)
{
    const DB_LIST_ENT* entry = EntryOfRef(entity);
    return entry != nullptr ? detail::RefOfEntry(entry->next) : EntityRef();
}

EntityFields ReadEntity(EntityRef entity)
{
    return detail::FieldsOfEntry(EntryOfRef(entity));
}

bool IsLiveEntity(EntityRef entity)
{
    return ::eptr_valid(EntryOfRef(entity), false);
}

} // namespace host
