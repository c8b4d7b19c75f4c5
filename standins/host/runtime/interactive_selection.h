#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace standin {

// The environment variable that names a pick script (see pick_script.h): when
// set, interactive selections are answered from it instead of by the user.
inline constexpr wchar_t kPickScriptVariable[] = L"STANDIN_HOST_PICKS";

// Lets the user pick live entities whose type code shares a bit with the mask
// (at most one unless multiple), marks them selected and returns their list
// positions in list order. Entities selected before stay selected.
std::vector<std::size_t> PickAndSelect(const wchar_t* prompt, std::uint32_t mask, bool multiple, bool& cancelled);

// The interactive selection as every release offers it, over that release's handle.
template <class Handle, class HandleOfIndex>
int PickAndSelectInto(const wchar_t* prompt, std::uint32_t mask, bool& cancelled, bool multiple,
                      std::vector<Handle>* picked, HandleOfIndex handleOfIndex)
{
    const std::vector<std::size_t> indexes = PickAndSelect(prompt, mask, multiple, cancelled);
    if (picked != nullptr) {
        for (std::size_t index : indexes) {
            picked->push_back(handleOfIndex(index));
        }
    }
    return static_cast<int>(indexes.size());
}

} // namespace standin
