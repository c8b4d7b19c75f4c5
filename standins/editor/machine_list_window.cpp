#include "machine_list_window.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "call_log.h"
#include "editor_run_end.h"
#include "framewright_window_ids.h"
#include "host_callbacks.h"
#include "machine_listing.h"
#include "text_encoding.h"

namespace {

struct WindowState {
    const EditorSession* session = nullptr;
    std::vector<std::wstring> machines;
    bool closed = false;
};

HINSTANCE ThisModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

void AddControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, RECT box)
{
    const HWND control = ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                                           box.right - box.left, box.bottom - box.top, parent,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void CreateControls(HWND window, const WindowState& state)
{
    AddControl(window, L"STATIC", L"Machines", 0, 0, {12, 10, 612, 26});
    AddControl(window, L"LISTBOX", L"",
               WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kMachineListId,
               {12, 28, 612, 228});
    AddControl(window, L"BUTTON", L"Request geometry", WS_TABSTOP | BS_PUSHBUTTON, kRequestGeometryButtonId,
               {12, 238, 172, 266});
    AddControl(window, L"BUTTON", L"Export", WS_TABSTOP | BS_PUSHBUTTON, kExportButtonId, {182, 238, 302, 266});
    AddControl(window, L"BUTTON", L"Close", WS_TABSTOP | BS_PUSHBUTTON, kCloseButtonId, {492, 238, 612, 266});
    AddControl(window, L"EDIT", L"", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
               kGeometryAnswerId, {12, 276, 612, 346});
    AddControl(window, L"STATIC", state.machines.empty() ? L"No machine documents found." : L"", 0, kStatusTextId,
               {12, 354, 612, 372});

    // Machine paths are long: let the list scroll sideways to the end of the longest.
    const HWND list = ::GetDlgItem(window, kMachineListId);
    const HDC context = ::GetDC(list);
    const HGDIOBJ previousFont = ::SelectObject(context, ::GetStockObject(DEFAULT_GUI_FONT));
    LONG widest = 0;
    for (const std::wstring& machine : state.machines) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(machine.c_str()));
        SIZE extent{};
        ::GetTextExtentPoint32W(context, machine.c_str(), static_cast<int>(machine.size()), &extent);
        widest = std::max(widest, extent.cx);
    }
    ::SelectObject(context, previousFont);
    ::ReleaseDC(list, context);
    ::SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

void OnRequestGeometry(HWND window, const WindowState& state)
{
    const GeometryAnswer answer = RequestGeometry(state.session->geometryCallback);
    ::SetDlgItemTextW(window, kGeometryAnswerId, Utf8ToWide(answer.text).c_str());
    ::SetDlgItemTextW(window, kStatusTextId,
                      state.session->geometryCallback == nullptr ? L"No geometry callback was registered."
                      : answer.terminated                        ? L"Geometry answered."
                                                                 : L"The answer did not fit into the buffer.");
}

void OnExport(HWND window, const WindowState& state)
{
    const LRESULT selected = ::SendDlgItemMessageW(window, kMachineListId, LB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<size_t>(selected) >= state.machines.size()) {
        ::SetDlgItemTextW(window, kStatusTextId, L"Select a machine to export.");
        return;
    }
    ExportMachine(state.session->exportCallback, WideToUtf8(state.machines[static_cast<size_t>(selected)]));
    ::SetDlgItemTextW(window, kStatusTextId, L"Export finished.");
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<WindowState*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_CREATE:
        state = static_cast<WindowState*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
        CreateControls(window, *state);
        return 0;
    case WM_COMMAND:
        if (state != nullptr && HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case kRequestGeometryButtonId:
                OnRequestGeometry(window, *state);
                return 0;
            case kExportButtonId:
                OnExport(window, *state);
                return 0;
            case kCloseButtonId:
            case IDCANCEL:
                ::DestroyWindow(window);
                return 0;
            }
        }
        break;
    case WM_DESTROY:
        if (state != nullptr) {
            state->closed = true;
        }
        // A button pressed through SendMessage from another thread never makes
        // GetMessage return; a posted message does.
        ::PostMessageW(nullptr, WM_NULL, 0, 0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The class is registered for one run only: a host may unload this library,
// and a class left behind would point at code that is gone.
class WindowClassRegistration {
public:
    WindowClassRegistration()
    {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProcedure;
        windowClass.hInstance = ThisModule();
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kFramewrightWindowClass;
        registered_ = ::RegisterClassExW(&windowClass) != 0;
    }
    ~WindowClassRegistration()
    {
        if (registered_) {
            ::UnregisterClassW(kFramewrightWindowClass, ThisModule());
        }
    }
    WindowClassRegistration(const WindowClassRegistration&) = delete;
    WindowClassRegistration& operator=(const WindowClassRegistration&) = delete;

    [[nodiscard]] bool Registered() const { return registered_; }

private:
    bool registered_ = false;
};

} // namespace

std::string RunMachineListWindow(const EditorSession& session)
{
    WindowState state;
    state.session = &session;
    state.machines = ListMachineDocuments(MachineFolders(session.machineDirectory, session.preconfiguredFolders));

    const WindowClassRegistration registration;
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, 624, 384};
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    const HWND window = registration.Registered()
                            ? ::CreateWindowExW(0, kFramewrightWindowClass, kFramewrightWindowTitle, style,
                                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                                frame.bottom - frame.top, nullptr, nullptr, ThisModule(), &state)
                            : nullptr;
    if (window == nullptr) {
        AppendToCallLog(FramewrightLogRecord{"WindowError", {}}.Add("error", std::to_string(::GetLastError())));
        return kEndedWithoutWindow;
    }
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);

    MSG message{};
    while (!state.closed) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            ::DestroyWindow(window);
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) {
            ::DestroyWindow(window);
            break;
        }
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return kEndedByWindowClose;
}
