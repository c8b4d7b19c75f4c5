#include "binary_stl.h"

#include <cstdint>
#include <cstring>

namespace standin {

namespace {

void AppendUint32(std::string& out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        out += static_cast<char>((value >> shift) & 0xFF);
    }
}

void AppendFloat(std::string& out, float value)
{
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    AppendUint32(out, bits);
}

void AppendVertex(std::string& out, const Vertex& vertex)
{
    for (float coordinate : vertex) {
        AppendFloat(out, coordinate);
    }
}

std::string HeaderField(std::string_view text)
{
    std::string header = text.substr(0, 5) == "solid" ? "STL " : "";
    header += text;
    header.resize(kStlHeaderSize, '\0');
    return header;
}

} // namespace

std::string BinaryStl(std::string_view header, const std::vector<Triangle>& triangles)
{
    std::string out = HeaderField(header);
    out.reserve(kStlHeaderSize + 4 + triangles.size() * kStlFacetSize);
    AppendUint32(out, static_cast<std::uint32_t>(triangles.size()));
    for (const Triangle& triangle : triangles) {
        AppendVertex(out, FacetNormal(triangle));
        for (const Vertex& corner : triangle.corners) {
            AppendVertex(out, corner);
        }
        out += '\0';
        out += '\0';
    }
    return out;
}

} // namespace standin
