#pragma once

// The level calls of the releases up to 2025.

#include <string>
#include <vector>

#include "standin_sdk/host_common.h"

#define STANDIN_SDK_LEVELS_FORM_A 1

// Without an array: sets count to the number of active levels. With one: fills
// it with up to count active level numbers and sets count to how many it wrote.
STANDIN_SDK_API void get_active_levels(int& count, int* levels);

// Replaces numbers with those of the levels named exactly so (case matters)
// within the level set (empty: every level; this host has no named sets, so
// another set holds none). False when there is none.
STANDIN_SDK_API bool GetLevelNumbersByName(const std::wstring& levelSet, const std::wstring& name,
                                           std::vector<int>& numbers);

// Empty for a number no level has.
STANDIN_SDK_API std::wstring GetLevelName(int number);
