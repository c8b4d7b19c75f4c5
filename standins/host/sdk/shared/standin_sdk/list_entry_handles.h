#pragma once

// Releases whose entity handle is the entity list entry itself.

#include <vector>

#include "standin_sdk/host_common.h"

#define STANDIN_SDK_LIST_ENTRY_HANDLES 1

// True for an entry of a live entity of the open drawing. With report set, an
// invalid handle is also reported to the debugger.
STANDIN_SDK_API bool eptr_valid(DB_LIST_ENT* entity, bool report);

// Lets the user pick entities whose type code shares a bit with the mask and
// marks them selected; returns when the user has finished, with the number of
// entities picked. cancelled: set when the user cancelled; picked: if given,
// receives the picked entities; multiple: several entities may be picked
// (else at most one).
STANDIN_SDK_API int SelectEnts(const wchar_t* prompt, std::uint32_t mask, bool& cancelled, SelectionMode mode,
                               std::vector<DB_LIST_ENT*>* picked, bool multiple);
