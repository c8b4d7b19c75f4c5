#pragma once

#include <windows.h>

// Gives a modeless dialog its keyboard (Tab, Enter, Escape) while it lives in
// a host's message loop that knows nothing of it: a message hook on the
// window's thread passes the dialog's messages through IsDialogMessage.
class ModelessDialogKeys {
public:
    explicit ModelessDialogKeys(HWND dialog);
    ~ModelessDialogKeys();
    ModelessDialogKeys(const ModelessDialogKeys&) = delete;
    ModelessDialogKeys& operator=(const ModelessDialogKeys&) = delete;

private:
    HWND dialog_;
    HHOOK hook_ = nullptr;
};
