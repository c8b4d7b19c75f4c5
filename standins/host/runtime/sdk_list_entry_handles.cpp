// The calls that take a list entry as the entity handle.

#include "host_sdk.h"

#if defined(STANDIN_SDK_LIST_ENTRY_HANDLES)

#include "host_database.h"
#include "interactive_selection.h"

using standin::HostDatabase;

bool eptr_valid(DB_LIST_ENT* entity, bool report)
{
    const auto index = HostDatabase::Instance().IndexOfEntry(entity);
    return standin::ReportValidity(index && HostDatabase::Instance().IsLive(*index), report);
}

int SelectEnts(const wchar_t* prompt, std::uint32_t mask, bool& cancelled, SelectionMode /*mode*/,
               std::vector<DB_LIST_ENT*>* picked, bool multiple)
{
    return standin::PickAndSelectInto(prompt, mask, cancelled, multiple, picked,
                                      [](std::size_t index) { return HostDatabase::Instance().EntryAt(index); });
}

#endif
