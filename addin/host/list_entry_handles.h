#pragma once

// The entity list entries of the host SDK as the view's entity references:
// the handle of the releases up to 2026, and the carrier of the record in all.

#include <cstdint>

#include "host_sdk.h"
#include "host_view.h"

namespace host::detail {

inline EntityRef RefOfEntry(DB_LIST_ENT* entry)
{
    return EntityRef(reinterpret_cast<std::uintptr_t>(entry));
}

inline DB_LIST_ENT* EntryOfRef(EntityRef entity)
{
    return reinterpret_cast<DB_LIST_ENT*>(entity.Token());
}

inline EntityFields FieldsOfEntry(const DB_LIST_ENT* entry)
{
    if (entry == nullptr || entry->record == nullptr) {
        return {};
    }
    const EntityRecord& record = *entry->record;
    return {record.typeCode, record.selectionFlags, record.colourIndex, record.level, record.entityNumber};
}

} // namespace host::detail
