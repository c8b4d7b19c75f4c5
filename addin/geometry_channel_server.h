#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "geometry_picker.h"
#include "unique_handle.h"

// The add-in's end of the private pipe to the editor host program: one pipe
// instance under a fresh GUID name, served on a thread of its own from
// construction to destruction.
class GeometryChannelServer {
public:
    GeometryChannelServer();
    ~GeometryChannelServer();
    GeometryChannelServer(const GeometryChannelServer&) = delete;
    GeometryChannelServer& operator=(const GeometryChannelServer&) = delete;

    // "\\.\pipe\" and 32 upper-case hexadecimal digits; the same for the life of the object.
    [[nodiscard]] const std::string& PipeName() const noexcept { return pipeName_; }
    [[nodiscard]] bool IsListening() const noexcept { return pipe_.IsValid(); }

    // The picker that answers geometry requests. A picker that is replaced while it
    // serves a request stays alive until that request has returned.
    void SetPicker(std::shared_ptr<GeometryPicker> picker);
    [[nodiscard]] std::shared_ptr<GeometryPicker> CurrentPicker() const;

private:
    enum class IoResult { Done, Failed, Stopped };

    void ServeLoop();
    bool WaitForClient();
    std::optional<std::string> ReadRequest();
    void WriteReply(const std::string& reply);
    void Serve(const std::string& request);
    IoResult FinishIo(OVERLAPPED& overlapped, DWORD& bytes, DWORD timeoutMs);

    std::string pipeName_;
    UniqueHandle pipe_;
    UniqueHandle stopEvent_;
    UniqueHandle ioEvent_;
    std::atomic<bool> running_{true};
    mutable std::mutex pickerMutex_;
    std::shared_ptr<GeometryPicker> picker_;
    std::thread serverThread_;
};
