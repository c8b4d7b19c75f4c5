#pragma once

// The host SDK of release 2025, as add-ins of that release are built against it.

#include "standin_sdk/releases_2023_2025.h"
#include "standin_sdk/addin_entry.h"
