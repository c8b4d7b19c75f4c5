#include "host_callbacks.h"

#include <algorithm>
#include <vector>

#include "call_log.h"

namespace {

bool IsCanary(char byte) { return byte == kGeometryBufferCanary; }

} // namespace

GeometryAnswer RequestGeometry(FramewrightGeometryCallback callback)
{
    FramewrightLogRecord record{"GeometryCallback", {}};
    record.Add("callback", SetOrNull(callback != nullptr));
    if (callback == nullptr) {
        AppendToCallLog(record);
        return {};
    }
    std::vector<char> buffer(kFramewrightGeometryBufferSize + kGeometryBufferGuardBytes, kGeometryBufferCanary);
    callback(buffer.data());

    const auto promisedEnd = buffer.begin() + kFramewrightGeometryBufferSize;
    const auto terminator = std::find(buffer.begin(), promisedEnd, '\0');
    const bool terminated = terminator != promisedEnd;
    const std::string written(buffer.begin(), terminator);
    const bool tailChanged = terminated && !std::all_of(terminator + 1, promisedEnd, IsCanary);
    const bool overrun = !std::all_of(promisedEnd, buffer.end(), IsCanary);
    record.Add("text", written)
        .Add("length", std::to_string(written.size()))
        .Add("terminated", YesNo(terminated))
        .Add("tailChanged", YesNo(tailChanged))
        .Add("overrun", YesNo(overrun));
    AppendToCallLog(record);
    return terminated ? GeometryAnswer{written, true} : GeometryAnswer{};
}

void ExportMachine(FramewrightExportCallback callback, const std::string& machineDocumentUtf8)
{
    if (callback != nullptr) {
        callback(machineDocumentUtf8.c_str());
    }
    AppendToCallLog(FramewrightLogRecord{"ExportCallback", {}}
                        .Add("callback", SetOrNull(callback != nullptr))
                        .Add("path", machineDocumentUtf8));
}
