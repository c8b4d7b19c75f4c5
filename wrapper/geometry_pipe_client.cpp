#include "geometry_pipe_client.h"

#include <windows.h>

#include <vector>

#include "geometry_pipe_protocol.h"
#include "text_encoding.h"

UniqueHandle OpenGeometryPipe(const std::string& pipeNameUtf8)
{
    const std::wstring name = Utf8ToWide(pipeNameUtf8);
    if (name.empty()) {
        return {};
    }
    // Identification level only: the add-in has no business acting as us.
    UniqueHandle pipe(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
    if (!pipe) {
        return {};
    }
    DWORD mode = PIPE_READMODE_MESSAGE;
    if (!::SetNamedPipeHandleState(pipe.Get(), &mode, nullptr, nullptr)) {
        return {};
    }
    return pipe;
}

namespace {

bool WriteMessage(HANDLE pipe, const std::string& message)
{
    DWORD written = 0;
    return ::WriteFile(pipe, message.data(), static_cast<DWORD>(message.size()), &written, nullptr) &&
           written == message.size();
}

} // namespace

std::optional<std::string> RequestStlPathsOverPipe(const std::string& pipeNameUtf8)
{
    const UniqueHandle pipe = OpenGeometryPipe(pipeNameUtf8);
    if (!pipe || !WriteMessage(pipe.Get(), std::string(kNeedStlPathRequest))) {
        return std::nullopt;
    }
    std::vector<char> reply(kPipeMessageBufferSize);
    DWORD read = 0;
    if (!::ReadFile(pipe.Get(), reply.data(), static_cast<DWORD>(reply.size()), &read, nullptr)) {
        return std::nullopt;
    }
    return std::string(reply.data(), read);
}

bool SendOutputFolderMessage(const std::string& pipeNameUtf8, const std::string& folderUtf8)
{
    const UniqueHandle pipe = OpenGeometryPipe(pipeNameUtf8);
    if (!pipe || !WriteMessage(pipe.Get(), folderUtf8)) {
        return false;
    }
    // Returns once the add-in has read the message, so closing cannot discard it.
    ::FlushFileBuffers(pipe.Get());
    return true;
}
