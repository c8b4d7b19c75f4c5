#pragma once

#include <windows.h>

// Security attributes that admit only the current user and never a network
// logon, so no other account or machine can talk to the add-in's pipe.
class CurrentUserOnlySecurity {
public:
    CurrentUserOnlySecurity();
    ~CurrentUserOnlySecurity();
    CurrentUserOnlySecurity(const CurrentUserOnlySecurity&) = delete;
    CurrentUserOnlySecurity& operator=(const CurrentUserOnlySecurity&) = delete;

    // Null when the descriptor could not be built; callers must then not create the pipe.
    [[nodiscard]] SECURITY_ATTRIBUTES* Attributes() noexcept { return descriptor_ ? &attributes_ : nullptr; }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{};
};
