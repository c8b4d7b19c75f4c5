#pragma once

#include "standin_sdk/levels_form_b.h"
#include "standin_sdk/list_entry_calls.h"
#include "standin_sdk/list_entry_handles.h"
