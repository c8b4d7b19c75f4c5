#pragma once

// The entity list and selection calls of the releases that hand out list entries.

#include "standin_sdk/host_common.h"

#define STANDIN_SDK_LIST_ENTRY_CALLS 1

// The first entry of the entity list (null for an empty drawing); each entry
// leads to the next through its next link.
STANDIN_SDK_API DB_LIST_ENT* DbStart();

STANDIN_SDK_API void SelectEntity(DB_LIST_ENT* entity);
STANDIN_SDK_API void UnselectEntity(DB_LIST_ENT* entity);
