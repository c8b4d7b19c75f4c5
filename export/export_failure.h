#pragma once

#include <string>
#include <utility>

// Export operations say why they failed, in one English line (UTF-8), to
// callers that pass somewhere to put it. Returns false, for `return Fail(...)`.
inline bool Fail(std::string* failure, std::string reason)
{
    if (failure != nullptr) {
        *failure = std::move(reason);
    }
    return false;
}
