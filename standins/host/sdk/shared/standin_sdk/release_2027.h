#pragma once

#include "standin_sdk/db_id_handles.h"
#include "standin_sdk/levels_form_b.h"
