#include "window_driver.h"

#include <chrono>
#include <utility>

namespace {

struct Search {
    const std::wstring* title;
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if ((search->processId != 0 && owner != search->processId) || WindowText(window) != *search->title) {
        return TRUE;
    }
    if (search->className != nullptr) {
        wchar_t name[256] = {};
        ::GetClassNameW(window, name, 256);
        if (std::wstring(name) != search->className) {
            return TRUE;
        }
    }
    search->found = window;
    return FALSE;
}

} // namespace

HWND WaitForWindow(const std::wstring& title, DWORD processId, DWORD timeoutMs, const wchar_t* className)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        Search search{&title, processId, className, nullptr};
        ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr && ::IsWindowVisible(search.found)) {
            return search.found;
        }
        ::Sleep(20);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs)
{
    struct OwnedSearch {
        HWND owner;
        HWND found;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        OwnedSearch search{owner, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<OwnedSearch*>(context);
                wchar_t name[16] = {};
                ::GetClassNameW(window, name, 16);
                if (::GetWindow(window, GW_OWNER) == s->owner && std::wstring(name) == L"#32770" &&
                    ::IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        ::Sleep(20);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[4096] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return text;
}

std::wstring MessageBoxText(HWND box)
{
    return WindowText(::GetDlgItem(box, 0xFFFF));
}

void PressButton(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

WhenWindowAppears::WhenWindowAppears(std::wstring title, std::function<void(HWND)> action, const wchar_t* className)
{
    thread_ = std::thread([this, title = std::move(title), action = std::move(action), className] {
        if (HWND window = WaitForWindow(title, ::GetCurrentProcessId(), 20000, className)) {
            action(window);
            done_ = true;
        }
    });
}

WhenWindowAppears::~WhenWindowAppears()
{
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool WhenWindowAppears::Done()
{
    if (thread_.joinable()) {
        thread_.join();
    }
    return done_;
}
