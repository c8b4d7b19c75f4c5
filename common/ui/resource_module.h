#pragma once

#include <windows.h>

// The module whose resources (dialog templates) the dialog layer loads: a
// plug-in switches it to its own module while its dialogs are made, so that a
// template of the same number in the host is never picked up by mistake.
HINSTANCE CurrentResourceModule();
void SetCurrentResourceModule(HINSTANCE module);

// The module that holds this code: the DLL when linked into one, else the program.
HINSTANCE ModuleOfThisCode();

// Makes a module the current source of resources and restores the previous one
// when it goes. Switches nothing when the module is null or already current.
class ScopedResourceModule {
public:
    explicit ScopedResourceModule(HINSTANCE module);
    ~ScopedResourceModule();
    ScopedResourceModule(const ScopedResourceModule&) = delete;
    ScopedResourceModule& operator=(const ScopedResourceModule&) = delete;

    [[nodiscard]] bool Switched() const noexcept { return switched_; }

private:
    HINSTANCE previous_ = nullptr;
    bool switched_ = false;
};
