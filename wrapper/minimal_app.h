#pragma once

#include <windows.h>

// The program's application object: it has no window of its own and runs no
// message loop; the editor library runs the user interface.
class CMinimalApp {
public:
    CMinimalApp() = default;

    // Prepares the user-interface layer: common controls, this module as the
    // source of dialog resources. False when that fails.
    bool InitInstance(HINSTANCE instance);

    [[nodiscard]] HINSTANCE Instance() const noexcept { return instance_; }

private:
    HINSTANCE instance_ = nullptr;
};
