#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace standin {

// What a test script says the user picks in one interactive selection.
struct ScriptedPick {
    bool cancelled = false;
    std::vector<std::int32_t> entityNumbers;
};

// The answer for the call-th interactive selection (counted from 0) of a pick
// script: one line per call, entity numbers separated by blanks or commas; an
// empty line picks nothing; "cancel" cancels. Calls past the last line cancel.
// A malformed line gives nothing.
std::optional<ScriptedPick> ScriptedPickOfCall(std::string_view script, std::size_t call);

} // namespace standin
