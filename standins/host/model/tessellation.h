#pragma once

#include <array>
#include <vector>

#include "drawing.h"

namespace standin {

using Vertex = std::array<float, 3>;

// Corners counter-clockwise seen from outside the solid.
struct Triangle {
    std::array<Vertex, 3> corners;
};

// The unit normal of a triangle whose corners run counter-clockwise; zero for
// a triangle without area.
Vertex FacetNormal(const Triangle& triangle);

// Limits of the number of segments a full circle is divided into. The upper one
// keeps a tiny (or zero, or invalid) tolerance from producing files of
// unbounded size; only then can a curved face deviate by more than asked.
inline constexpr int kMinCircleSegments = 3;
inline constexpr int kMaxCircleSegments = 256;

// Segments of a full circle of the radius whose chords stay within the
// tolerance of the arc (the chordal deviation, or sagitta).
int CircleSegments(double radius, double tolerance);

// Segments of a sphere's equator; the grid is finer than CircleSegments gives,
// because a facet's middle lies deeper below the sphere than its edges. Always even.
int SphereSegments(double radius, double tolerance);

// A closed, consistently oriented surface of the shape, as triangles whose
// shared corners are bit-identical (so that mesh checkers find every edge's
// neighbour). Curved faces stay within the tolerance of the true surface.
std::vector<Triangle> Tessellate(const Shape& shape, double tolerance);

} // namespace standin
