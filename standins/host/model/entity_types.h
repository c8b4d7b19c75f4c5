#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace standin {

// What the stand-in host's STL writer does with an entity's geometry: solids,
// surfaces and meshes are triangulated; everything else (points, lines, arcs,
// unknown codes) is never written.
enum class EntityKind { Other, Solid, Surface, Mesh };

struct EntityType {
    std::uint32_t code;
    std::string_view name;  // the name a drawing file may use instead of the code
    EntityKind kind;
};

inline constexpr EntityType kEntityTypes[] = {
    {0x1, "point", EntityKind::Other},
    {0x2, "line", EntityKind::Other},
    {0x4, "arc", EntityKind::Other},
    {0x100, "surface", EntityKind::Surface},
    {0x10000, "solid", EntityKind::Solid},
    {0x20000, "imported solid", EntityKind::Solid},
    {0x100000, "mesh", EntityKind::Mesh},
    {0x200000, "imported mesh", EntityKind::Mesh},
};

EntityKind KindOfType(std::uint32_t code);

// The name of a known code, else the code as "0x..." text.
std::string TypeName(std::uint32_t code);

// A name of the table or a hexadecimal code written "0x...".
std::optional<std::uint32_t> ParseTypeCode(std::string_view text);

} // namespace standin
