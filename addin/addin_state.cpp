#include "addin_state.h"

#include <windows.h>

#include <mutex>

#include "editor_command_line.h"
#include "resource_module.h"
#include "stl_picker.h"
#include "text_encoding.h"

AddinState::AddinState(std::wstring editorProgramPath, std::wstring languageTag, std::wstring machineDirectory)
    : editorProgramPath_(std::move(editorProgramPath)),
      languageTag_(std::move(languageTag)),
      machineDirectory_(std::move(machineDirectory))
{
}

AddinState::~AddinState() = default;

AddinState& AddinState::Instance(const std::wstring& editorProgramPath, const std::wstring& languageTag,
                                 const std::wstring& machineDirectory)
{
    static AddinState* state = nullptr;
    static std::once_flag once;
    std::call_once(once, [&] {
        // The channel's thread runs code of this module for as long as the host
        // lives: pin the module so that no unload can pull the code from under
        // it, and leave the state to the end of the process.
        HMODULE self = nullptr;
        ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                             reinterpret_cast<LPCWSTR>(&AddinState::Instance), &self);
        state = new AddinState(editorProgramPath, languageTag, machineDirectory);
    });
    return *state;
}

bool AddinState::EditorIsRunning() const
{
    DWORD exitCode = 0;
    return editorProcess_ && ::GetExitCodeProcess(editorProcess_.Get(), &exitCode) && exitCode == STILL_ACTIVE;
}

void AddinState::BringEditorToFront() const
{
    struct Search {
        DWORD processId;
        HWND found;
    } search{::GetProcessId(editorProcess_.Get()), nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s->processId) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
        ::SetForegroundWindow(search.found);
    }
}

bool AddinState::StartEditor(bool hostIsMetric)
{
    std::wstring commandLine = BuildEditorCommandLine(editorProgramPath_, languageTag_, machineDirectory_,
                                                      hostIsMetric, Utf8ToWide(channel_.PipeName()));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(editorProgramPath_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                          nullptr, nullptr, &startup, &process) != FALSE;

    // A new picker for the new run; the previous one lives on until a request
    // it may still be serving has returned.
    std::shared_ptr<STLPicker> picker = MakeStlPicker();
    {
        ScopedResourceModule resources(ModuleOfThisCode());
        picker->CreateHidden();
    }
    channel_.SetPicker(picker);

    if (!started) {
        return false;
    }
    editorProcess_.Reset(process.hProcess);
    ::CloseHandle(process.hThread);
    return true;
}
