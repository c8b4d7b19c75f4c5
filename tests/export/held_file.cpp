#include "held_file.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

std::wstring HolderProgram()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"rigsmith_test_file_holder.exe";
}

} // namespace

HeldFile::HeldFile(const std::wstring& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE childInput = nullptr, ourInput = nullptr, ourOutput = nullptr, childOutput = nullptr;
    if (!::CreatePipe(&childInput, &ourInput, &inherit, 0) || !::CreatePipe(&ourOutput, &childOutput, &inherit, 0)) {
        throw std::runtime_error("cannot make pipes for the file holder");
    }
    UniqueHandle childInputHandle(childInput), childOutputHandle(childOutput), output(ourOutput);
    input_.Reset(ourInput);
    ::SetHandleInformation(ourInput, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(ourOutput, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = childInput;
    startup.hStdOutput = childOutput;
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + HolderProgram() + L"\" \"" + path + L"\"";
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        throw std::runtime_error("cannot start the file holder");
    }
    ::CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    childInputHandle.Reset();
    childOutputHandle.Reset();

    std::string said;
    char c = 0;
    DWORD read = 0;
    while (said.find('\n') == std::string::npos && ::ReadFile(output.Get(), &c, 1, &read, nullptr) && read == 1) {
        said += c;
    }
    if (!said.starts_with("held")) {
        throw std::runtime_error("the file holder could not open the file: " + said);
    }
}

HeldFile::~HeldFile() { Release(); }

void HeldFile::Release()
{
    input_.Reset();
    if (process_) {
        ::WaitForSingleObject(process_.Get(), 10000);
        process_.Reset();
    }
}
