#pragma once

// The entity list and selection calls of the older releases.

#include "standin_sdk/host_common.h"

#define STANDIN_SDK_LEGACY_ENTITY_CALLS 1

// The first entry of the entity list (null for an empty drawing); each entry
// leads to the next through its next link.
STANDIN_SDK_API extern DB_LIST_ENT* db_start;

// Turns on the given selection flag bits (ENTITY_SELECTED selects).
STANDIN_SDK_API void sel_bit_turn_on(DB_LIST_ENT* entity, std::uint16_t bits);
STANDIN_SDK_API void UnSelectEptr(DB_LIST_ENT* entity);
