// The entity list and selection calls of the releases that hand out list entries.

#include "host_sdk.h"

#if defined(STANDIN_SDK_LIST_ENTRY_CALLS)

#include "host_database.h"

using standin::HostDatabase;

DB_LIST_ENT* DbStart()
{
    return HostDatabase::Instance().EntryAt(0);
}

void SelectEntity(DB_LIST_ENT* entity)
{
    if (const auto index = HostDatabase::Instance().IndexOfEntry(entity)) {
        HostDatabase::Instance().SetSelected(*index, true);
    }
}

void UnselectEntity(DB_LIST_ENT* entity)
{
    if (const auto index = HostDatabase::Instance().IndexOfEntry(entity)) {
        HostDatabase::Instance().SetSelected(*index, false);
    }
}

#endif
