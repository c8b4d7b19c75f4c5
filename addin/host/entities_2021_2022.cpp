// Start of the walk and selection in releases 2021 and 2022.

#include "list_entry_handles.h"

namespace host {

EntityRef FirstEntity()
{
    return detail::RefOfEntry(::db_start);
}

void SelectEntity(EntityRef entity)
{
    ::sel_bit_turn_on(detail::EntryOfRef(entity), kSelectedFlag);
}

void UnselectEntity(EntityRef entity)
{
    ::UnSelectEptr(detail::EntryOfRef(entity));
}

} // namespace host
