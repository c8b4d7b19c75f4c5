#include "modeless_dialog_keys.h"

#include <algorithm>
#include <vector>

namespace {

// The dialogs of this thread that the hook serves.
thread_local std::vector<HWND> t_dialogs;

LRESULT CALLBACK FilterDialogMessages(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message->message >= WM_KEYFIRST &&
        message->message <= WM_KEYLAST) {
        for (HWND dialog : t_dialogs) {
            if ((message->hwnd == dialog || ::IsChild(dialog, message->hwnd)) &&
                ::IsDialogMessageW(dialog, message)) {
                message->message = WM_NULL;
                break;
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

ModelessDialogKeys::ModelessDialogKeys(HWND dialog) : dialog_(dialog)
{
    t_dialogs.push_back(dialog_);
    hook_ = ::SetWindowsHookExW(WH_GETMESSAGE, &FilterDialogMessages, nullptr, ::GetCurrentThreadId());
}

ModelessDialogKeys::~ModelessDialogKeys()
{
    if (hook_ != nullptr) {
        ::UnhookWindowsHookEx(hook_);
    }
    t_dialogs.erase(std::remove(t_dialogs.begin(), t_dialogs.end(), dialog_), t_dialogs.end());
}
