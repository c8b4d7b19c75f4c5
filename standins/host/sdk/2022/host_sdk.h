#pragma once

// The host SDK of release 2022, as add-ins of that release are built against it.

#include "standin_sdk/releases_2021_2022.h"
#include "standin_sdk/addin_entry.h"
