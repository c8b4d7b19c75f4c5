// The entity calls of the older releases.

#include "host_sdk.h"

#if defined(STANDIN_SDK_LEGACY_ENTITY_CALLS)

#include "host_database.h"

using standin::HostDatabase;

DB_LIST_ENT* db_start = nullptr;

namespace {
[[maybe_unused]] const bool kStartFollowsDrawing = (HostDatabase::Instance().KeepFirstEntryIn(&db_start), true);
} // namespace

void sel_bit_turn_on(DB_LIST_ENT* entity, std::uint16_t bits)
{
    if (const auto index = HostDatabase::Instance().IndexOfEntry(entity)) {
        std::uint16_t& flags = HostDatabase::Instance().RecordAt(*index).selectionFlags;
        flags = static_cast<std::uint16_t>(flags | bits);
    }
}

void UnSelectEptr(DB_LIST_ENT* entity)
{
    if (const auto index = HostDatabase::Instance().IndexOfEntry(entity)) {
        HostDatabase::Instance().SetSelected(*index, false);
    }
}

#endif
