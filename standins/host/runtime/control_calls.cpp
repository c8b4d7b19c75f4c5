#include "standin_host_control.h"

#include <optional>

#include "drawing_json.h"
#include "host_database.h"
#include "text_encoding.h"
#include "whole_file.h"

using standin::HostDatabase;

bool StandinOpenDrawingText(std::string_view json, std::string& error)
{
    standin::DrawingParseResult parsed = standin::ParseDrawing(json);
    if (!parsed.drawing) {
        error = parsed.error;
        return false;
    }
    HostDatabase::Instance().Open(std::move(*parsed.drawing));
    error.clear();
    return true;
}

bool StandinOpenDrawingFile(const std::wstring& path, std::string& error)
{
    const std::optional<std::string> json = standin::ReadWholeFile(path);
    if (!json) {
        error = "cannot read " + WideToUtf8(path);
        return false;
    }
    if (!StandinOpenDrawingText(*json, error)) {
        error = WideToUtf8(path) + ": " + error;
        return false;
    }
    return true;
}

StandinDrawingSummary StandinDescribeDrawing()
{
    const standin::Drawing& drawing = HostDatabase::Instance().OpenDrawing();
    return {static_cast<int>(drawing.levels.size()), static_cast<int>(drawing.entities.size()), drawing.metric,
            drawing.colourTable.has_value()};
}
