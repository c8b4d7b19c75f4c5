// Start of the walk and selection in releases 2023 to 2026.

#include "list_entry_handles.h"

namespace host {

EntityRef FirstEntity()
{
    return detail::RefOfEntry(::DbStart());
}

void SelectEntity(EntityRef entity)
{
    ::SelectEntity(detail::EntryOfRef(entity));
}

void UnselectEntity(EntityRef entity)
{
    ::UnselectEntity(detail::EntryOfRef(entity));
}

} // namespace host
