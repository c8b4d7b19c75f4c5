#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tessellation.h"

namespace standin {

inline constexpr std::size_t kStlHeaderSize = 80;
inline constexpr std::size_t kStlFacetSize = 50;

// The bytes of a binary STL file: an 80-byte header, the facet count, then per
// facet its unit normal, its three corners and a zero attribute word, all
// little-endian. Readers take a file that begins with "solid" for the text
// form, so a header that would begin so gets a prefix; a longer header is cut.
std::string BinaryStl(std::string_view header, const std::vector<Triangle>& triangles);

} // namespace standin
