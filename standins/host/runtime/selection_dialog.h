#pragma once

#include <cstddef>
#include <vector>

namespace standin {

struct PickAnswer {
    bool cancelled = false;
    std::vector<std::size_t> indexes;  // list positions of the picked entities
};

// Shows the entities at the candidate list positions in a modal dialog and
// lets the user pick among them.
PickAnswer AskUserToPick(const wchar_t* prompt, const std::vector<std::size_t>& candidates);

} // namespace standin
