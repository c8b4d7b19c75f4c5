#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// Finds a top-level window of the given process (of any process for 0) by its
// exact title (and class, when given), waiting up to timeoutMs for it to
// appear. Null when it did not.
HWND WaitForWindow(const std::wstring& title, DWORD processId = ::GetCurrentProcessId(), DWORD timeoutMs = 20000,
                   const wchar_t* className = nullptr);

// A visible dialog window (such as a message box) owned by the given window.
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = 20000);

// The text of a window or control.
std::wstring WindowText(HWND window);

// The static text of a message box (its text control, id 0xFFFF).
std::wstring MessageBoxText(HWND box);

// Presses a button of a dialog as a click would, without waiting for it.
void PressButton(HWND dialog, int id);

// Runs an action on its own thread once a window with the title appears, e.g. to
// answer a modal dialog that the test thread is about to show. Joined on destruction.
class WhenWindowAppears {
public:
    WhenWindowAppears(std::wstring title, std::function<void(HWND)> action, const wchar_t* className = nullptr);
    ~WhenWindowAppears();
    WhenWindowAppears(const WhenWindowAppears&) = delete;
    WhenWindowAppears& operator=(const WhenWindowAppears&) = delete;

    // True once the window was found and the action ran.
    [[nodiscard]] bool Done();

private:
    std::thread thread_;
    bool done_ = false;
};
