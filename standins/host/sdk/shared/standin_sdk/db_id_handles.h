#pragma once

// Releases whose entity handle is a database identifier.

#include <cstdint>
#include <vector>

#include "standin_sdk/host_common.h"

#define STANDIN_SDK_DB_ID_HANDLES 1

// Identifies one entity of the open drawing; the default value is the null identifier.
struct DbId {
    std::uint64_t value = 0;

    explicit constexpr operator bool() const { return value != 0; }
    friend constexpr bool operator==(DbId, DbId) = default;
};

// The first entity (null for an empty drawing) and the one after an entity
// (null after the last).
STANDIN_SDK_API DbId DbStart();
STANDIN_SDK_API DbId GetNextEptr(DbId entity);

// The entity's entry of the older entity list, which carries its record; null
// for an identifier that is not one of the open drawing's.
STANDIN_SDK_API DB_LIST_ENT* GetDbLegacyEntPtr(DbId entity);

// As for the list entries of the older releases.
STANDIN_SDK_API bool eptr_valid(DbId entity, bool report);
STANDIN_SDK_API void SelectEntity(DbId entity);
STANDIN_SDK_API void UnselectEntity(DbId entity);
STANDIN_SDK_API int SelectEnts(const wchar_t* prompt, std::uint32_t mask, bool& cancelled, SelectionMode mode,
                               std::vector<DbId>* picked, bool multiple);
