#pragma once

// Not part of the SDK that add-ins see: how the stand-in host program and the
// tests drive the stand-in runtime.

#include <string>
#include <string_view>

#include "standin_sdk/sdk_api.h"

struct StandinDrawingSummary {
    int levels = 0;
    int entities = 0;
    bool metric = true;
    bool colourTable = false;
};

// Opens a drawing of the stand-in's own format in place of the open one. On
// failure the open drawing stays and error says why (UTF-8).
STANDIN_SDK_API bool StandinOpenDrawingFile(const std::wstring& path, std::string& error);
STANDIN_SDK_API bool StandinOpenDrawingText(std::string_view json, std::string& error);

STANDIN_SDK_API StandinDrawingSummary StandinDescribeDrawing();
