#pragma once

#include <cstdint>
#include <string>

// Opens a drawing (JSON of the stand-in host) in the stand-in runtime this
// test program is linked with; adds a test failure when it cannot.
void OpenStandinDrawing(const std::string& json);

// The number of facets of a binary STL file; -1 when it is no such file.
std::int64_t StlFacetCount(const std::wstring& path);
