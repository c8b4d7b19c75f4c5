#include "host_window.h"

#include <string>

namespace standin {

namespace {

constexpr UINT_PTR kExitTimer = 1;
constexpr UINT_PTR kFirstCommandTimer = 100;

bool IsDialog(HWND window)
{
    wchar_t className[16] = {};
    return ::GetClassNameW(window, className, 16) > 0 && std::wstring(className) == L"#32770";
}

} // namespace

HostWindow::HostWindow(const HostOptions& options, const HostLog& log, const AddinLibrary* addin)
    : options_(options), log_(log), addin_(addin), runCommandMessage_(::RegisterWindowMessageW(kRunCommandMessage))
{
}

bool HostWindow::Run()
{
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kHostWindowClass;
    ::RegisterClassExW(&windowClass);
    const std::wstring title = L"Stand-in host " + std::to_wstring(STANDIN_HOST_RELEASE);
    const HWND window = ::CreateWindowExW(0, kHostWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                          CW_USEDEFAULT, 420, 160, nullptr, nullptr, instance, this);
    if (window == nullptr) {
        log_.Line("error: no main window (error " + std::to_string(::GetLastError()) + ")");
        return false;
    }
    ::CreateWindowExW(0, L"BUTTON", L"Run add-in command", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 200, 32,
                      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kRunCommandButton)), instance, nullptr);
    ::ShowWindow(window, SW_SHOWNORMAL);
    Schedule(window);
    log_.Line("window ready");

    // As a host's user-interface thread: the add-in's modeless dialogs get
    // their keyboard handling (Tab, Enter, Escape) from this loop.
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        const HWND root = message.hwnd != nullptr ? ::GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root != nullptr && root != window && IsDialog(root) && ::IsDialogMessageW(root, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return true;
}

void HostWindow::Schedule(HWND window)
{
    if (options_.runCommand) {
        ::PostMessageW(window, runCommandMessage_, 0, 0);
    }
    for (std::size_t i = 0; i < options_.runCommandAfterMs.size(); ++i) {
        ::SetTimer(window, kFirstCommandTimer + i, static_cast<UINT>(options_.runCommandAfterMs[i]), nullptr);
    }
    if (options_.exitAfterMs) {
        ::SetTimer(window, kExitTimer, static_cast<UINT>(*options_.exitAfterMs), nullptr);
    }
}

void HostWindow::RunCommand()
{
    if (addin_ == nullptr) {
        log_.Line("command: no add-in loaded");
        return;
    }
    log_.Line("command: calling m_main");
    const int result = addin_->RunCommand();
    log_.Line("command: m_main returned " + std::to_string(result));
}

LRESULT CALLBACK HostWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<HostWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->Handle(window, message, wParam, lParam)
                           : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT HostWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == runCommandMessage_) {
        RunCommand();
        return 0;
    }
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kRunCommandButton && HIWORD(wParam) == BN_CLICKED) {
            RunCommand();
            return 0;
        }
        break;
    case WM_TIMER:
        ::KillTimer(window, wParam);
        if (wParam == kExitTimer) {
            log_.Line("closing");
            ::DestroyWindow(window);
        } else {
            RunCommand();
        }
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace standin
