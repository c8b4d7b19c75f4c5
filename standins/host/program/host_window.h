#pragma once

#include <windows.h>

#include "addin_library.h"
#include "host_log.h"
#include "host_options.h"

namespace standin {

// The class name of the host's main window. Tests find a host's window by
// this class and the host's process identifier.
inline constexpr wchar_t kHostWindowClass[] = L"StandinHostWindow";

// Posted (or sent) to the main window, runs the add-in's command, as the
// window's button does.
inline constexpr wchar_t kRunCommandMessage[] = L"StandinHostRunCommand";

// Control identifier of the button that runs the add-in's command.
inline constexpr int kRunCommandButton = 1001;

// The host's main window on the user-interface thread: a button that runs the
// add-in's command, the timers of the command line, and the message loop.
class HostWindow {
public:
    HostWindow(const HostOptions& options, const HostLog& log, const AddinLibrary* addin);

    // Creates the window, schedules what the command line asks for and pumps
    // messages until the window is closed. False when no window could be made.
    bool Run();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Schedule(HWND window);
    void RunCommand();

    const HostOptions& options_;
    const HostLog& log_;
    const AddinLibrary* addin_;
    UINT runCommandMessage_;
};

} // namespace standin
