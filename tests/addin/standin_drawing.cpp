#include "standin_drawing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "standin_host_control.h"

void OpenStandinDrawing(const std::string& json)
{
    std::string error;
    EXPECT_TRUE(StandinOpenDrawingText(json, error)) << error;
}

std::int64_t StlFacetCount(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 84) {
        return -1;
    }
    std::uint32_t count = 0;
    for (int i = 3; i >= 0; --i) {
        count = (count << 8) | static_cast<unsigned char>(bytes[80 + static_cast<std::size_t>(i)]);
    }
    return bytes.size() == 84 + 50 * static_cast<std::size_t>(count) ? static_cast<std::int64_t>(count) : -1;
}
