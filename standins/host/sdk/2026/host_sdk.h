#pragma once

// The host SDK of release 2026, as add-ins of that release are built against it.

#include "standin_sdk/release_2026.h"
#include "standin_sdk/addin_entry.h"
