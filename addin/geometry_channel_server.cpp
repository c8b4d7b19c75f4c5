#include "geometry_channel_server.h"

#include <algorithm>
#include <vector>

#include "geometry_pipe_protocol.h"
#include "guid_text.h"
#include "pipe_security.h"
#include "text_encoding.h"

namespace {

// A client writes its request straight after opening; one that connects and
// then says nothing must not hold the only pipe instance for ever.
constexpr DWORD kRequestTimeoutMs = 10000;
// Writing and flushing a reply waits for the client to read it.
constexpr DWORD kReplyTimeoutMs = 10000;

std::string MakePipeName()
{
    std::string guid = MakeGuidString();
    guid.erase(std::remove(guid.begin(), guid.end(), '-'), guid.end());
    return std::string(kPipeNamePrefix) + guid;
}

UniqueHandle CreateServerPipe(const std::string& name)
{
    CurrentUserOnlySecurity security;
    if (security.Attributes() == nullptr) {
        return {};
    }
    const std::wstring wideName = Utf8ToWide(name);
    return UniqueHandle(::CreateNamedPipeW(
        wideName.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE | FILE_FLAG_OVERLAPPED,
        PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, kPipeBufferBytes,
        kPipeBufferBytes, 0, security.Attributes()));
}

} // namespace

GeometryChannelServer::GeometryChannelServer()
    : pipeName_(MakePipeName()),
      pipe_(CreateServerPipe(pipeName_)),
      stopEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      ioEvent_(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    if (!stopEvent_ || !ioEvent_) {
        pipe_.Reset();
    }
    serverThread_ = std::thread([this] { ServeLoop(); });
}

GeometryChannelServer::~GeometryChannelServer()
{
    running_ = false;
    if (stopEvent_) {
        ::SetEvent(stopEvent_.Get());
    }
    // A request may be waiting for the user; end it so the thread can finish.
    if (const auto picker = CurrentPicker()) {
        picker->Shutdown();
    }
    if (serverThread_.joinable() && serverThread_.get_id() != std::this_thread::get_id()) {
        serverThread_.join();
    } else if (serverThread_.joinable()) {
        serverThread_.detach();
    }
}

void GeometryChannelServer::SetPicker(std::shared_ptr<GeometryPicker> picker)
{
    std::lock_guard lock(pickerMutex_);
    picker_ = std::move(picker);
}

std::shared_ptr<GeometryPicker> GeometryChannelServer::CurrentPicker() const
{
    std::lock_guard lock(pickerMutex_);
    return picker_;
}

void GeometryChannelServer::ServeLoop()
{
    if (!pipe_) {
        // Nothing can ever connect: wait for destruction instead of spinning.
        if (stopEvent_) {
            ::WaitForSingleObject(stopEvent_.Get(), INFINITE);
        }
        return;
    }
    while (running_) {
        if (!WaitForClient()) {
            continue;
        }
        if (auto request = ReadRequest()) {
            Serve(*request);
        }
        ::DisconnectNamedPipe(pipe_.Get());
    }
}

GeometryChannelServer::IoResult GeometryChannelServer::FinishIo(OVERLAPPED& overlapped, DWORD& bytes,
                                                               DWORD timeoutMs)
{
    const HANDLE events[] = {overlapped.hEvent, stopEvent_.Get()};
    const DWORD wait = ::WaitForMultipleObjects(2, events, FALSE, timeoutMs);
    if (wait != WAIT_OBJECT_0) {
        ::CancelIoEx(pipe_.Get(), &overlapped);
        ::GetOverlappedResult(pipe_.Get(), &overlapped, &bytes, TRUE);
        return wait == WAIT_OBJECT_0 + 1 ? IoResult::Stopped : IoResult::Failed;
    }
    return ::GetOverlappedResult(pipe_.Get(), &overlapped, &bytes, FALSE) ? IoResult::Done : IoResult::Failed;
}

bool GeometryChannelServer::WaitForClient()
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.Get();
    ::ResetEvent(ioEvent_.Get());
    if (::ConnectNamedPipe(pipe_.Get(), &overlapped)) {
        return true;
    }
    switch (::GetLastError()) {
    case ERROR_PIPE_CONNECTED:
        return true;
    case ERROR_IO_PENDING: {
        DWORD bytes = 0;
        const IoResult result = FinishIo(overlapped, bytes, INFINITE);
        if (result == IoResult::Done) {
            return true;
        }
        break;
    }
    default:
        break;
    }
    // A client that came and went before the wait leaves the instance unusable
    // until it is disconnected; reset it, and pause briefly so a persistent
    // failure cannot spin the thread.
    ::DisconnectNamedPipe(pipe_.Get());
    if (running_) {
        ::WaitForSingleObject(stopEvent_.Get(), 20);
    }
    return false;
}

std::optional<std::string> GeometryChannelServer::ReadRequest()
{
    std::vector<char> buffer(kPipeMessageBufferSize, '\0');
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.Get();
    ::ResetEvent(ioEvent_.Get());
    DWORD bytes = 0;
    const DWORD limit = static_cast<DWORD>(kMaxPipeMessageLength);
    if (!::ReadFile(pipe_.Get(), buffer.data(), limit, &bytes, &overlapped)) {
        // A message longer than the limit fails with ERROR_MORE_DATA and is dropped.
        if (::GetLastError() != ERROR_IO_PENDING || FinishIo(overlapped, bytes, kRequestTimeoutMs) != IoResult::Done) {
            return std::nullopt;
        }
    } else if (!::GetOverlappedResult(pipe_.Get(), &overlapped, &bytes, FALSE)) {
        return std::nullopt;
    }
    // The request is the text up to the first NUL byte.
    return std::string(buffer.data());
}

void GeometryChannelServer::WriteReply(const std::string& reply)
{
    OVERLAPPED overlapped{};
    overlapped.hEvent = ioEvent_.Get();
    ::ResetEvent(ioEvent_.Get());
    DWORD bytes = 0;
    if (!::WriteFile(pipe_.Get(), reply.data(), static_cast<DWORD>(reply.size()), &bytes, &overlapped)) {
        if (::GetLastError() != ERROR_IO_PENDING || FinishIo(overlapped, bytes, kReplyTimeoutMs) != IoResult::Done) {
            return;
        }
    }
    // The client is already waiting in its read; make sure the reply has reached
    // it before the disconnect throws unread data away.
    ::FlushFileBuffers(pipe_.Get());
}

void GeometryChannelServer::Serve(const std::string& request)
{
    const std::shared_ptr<GeometryPicker> picker = CurrentPicker();
    if (request == kNeedStlPathRequest) {
        std::string reply;
        if (picker) {
            reply = WideToUtf8(picker->RequestStlPaths());
        }
        if (reply.size() > kMaxPipeMessageLength) {
            // The client could not take it whole, and a cut list would name files
            // that do not exist; the answer becomes "nothing chosen".
            ::OutputDebugStringW(L"Torla Rigsmith: STL path list too long for the channel; not sent");
            reply.clear();
        }
        if (running_) {
            WriteReply(reply);
        }
        return;
    }
    if (picker) {
        picker->SetOutputDirectory(Utf8ToWide(request));
    }
}
