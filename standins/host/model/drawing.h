#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace standin {

using Point3 = std::array<double, 3>;

// The few solid shapes the stand-in host can hold; enough to give the STL
// writer flat and curved faces.
struct Box {
    Point3 corner{};  // the corner with the lowest coordinates
    Point3 size{};    // extent along X, Y and Z, each above zero
};
struct Cylinder {
    Point3 baseCentre{};  // centre of the bottom face; the axis points along +Z
    double radius = 0;
    double height = 0;
};
struct Sphere {
    Point3 centre{};
    double radius = 0;
};
using Shape = std::variant<Box, Cylinder, Sphere>;

struct Level {
    std::int32_t number = 0;
    std::string name;  // UTF-8
    bool active = true;
};

struct Entity {
    std::int32_t number = 0;  // not unique: a deleted entity may share its number with a live one
    std::uint32_t typeCode = 0;
    std::int32_t level = 0;
    std::uint8_t colourIndex = 0;
    bool selected = false;  // selected when the drawing is opened
    bool deleted = false;   // still walked over, but no longer live
    std::optional<Shape> shape;
};

// Colour values as the host hands them out: red in the low byte, then green, then blue.
using ColourTable = std::map<int, std::uint32_t>;

struct Drawing {
    bool metric = true;
    std::vector<Level> levels;      // in the host's order
    std::vector<Entity> entities;   // in the host's order
    std::optional<ColourTable> colourTable;  // a drawing may come without one
};

} // namespace standin
