#include "tessellation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

namespace standin {

namespace {

// Corners are computed once and referred to by index, so that triangles that
// meet share exactly the same float coordinates.
struct IndexedMesh {
    std::vector<Vertex> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles;

    std::uint32_t Add(double x, double y, double z)
    {
        vertices.push_back({static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)});
        return static_cast<std::uint32_t>(vertices.size() - 1);
    }
    void AddTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) { triangles.push_back({a, b, c}); }
    void AddQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d)
    {
        AddTriangle(a, b, c);
        AddTriangle(a, c, d);
    }

    // Every shape here is convex with the given point inside, so a facet faces
    // outward exactly when its normal points away from that point. Orienting
    // each facet by that test keeps the construction free of winding rules.
    std::vector<Triangle> OrientedAround(const Point3& inside) const
    {
        std::vector<Triangle> result;
        result.reserve(triangles.size());
        for (const auto& [a, b, c] : triangles) {
            Triangle triangle{{vertices[a], vertices[b], vertices[c]}};
            const Vertex normal = FacetNormal(triangle);
            const Vertex& p = triangle.corners[0];
            const double outward = normal[0] * (p[0] - inside[0]) + normal[1] * (p[1] - inside[1]) +
                                   normal[2] * (p[2] - inside[2]);
            if (outward < 0) {
                std::swap(triangle.corners[1], triangle.corners[2]);
            }
            result.push_back(triangle);
        }
        return result;
    }
};

std::vector<Triangle> TessellateBox(const Box& box)
{
    IndexedMesh mesh;
    std::uint32_t corner[8];
    for (int i = 0; i < 8; ++i) {
        corner[i] = mesh.Add(box.corner[0] + ((i & 1) ? box.size[0] : 0), box.corner[1] + ((i & 2) ? box.size[1] : 0),
                             box.corner[2] + ((i & 4) ? box.size[2] : 0));
    }
    // Each face as the four corners around it (bit 0: +X, bit 1: +Y, bit 2: +Z).
    static constexpr int kFaces[6][4] = {{0, 1, 3, 2}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                         {2, 3, 7, 6}, {0, 2, 6, 4}, {1, 3, 7, 5}};
    for (const auto& face : kFaces) {
        mesh.AddQuad(corner[face[0]], corner[face[1]], corner[face[2]], corner[face[3]]);
    }
    const Point3 middle = {box.corner[0] + box.size[0] / 2, box.corner[1] + box.size[1] / 2,
                           box.corner[2] + box.size[2] / 2};
    return mesh.OrientedAround(middle);
}

std::vector<Triangle> TessellateCylinder(const Cylinder& cylinder, double tolerance)
{
    const int segments = CircleSegments(cylinder.radius, tolerance);
    const auto& [x, y, z] = cylinder.baseCentre;
    IndexedMesh mesh;
    const std::uint32_t bottomCentre = mesh.Add(x, y, z);
    const std::uint32_t topCentre = mesh.Add(x, y, z + cylinder.height);
    std::vector<std::uint32_t> bottom, top;
    for (int i = 0; i < segments; ++i) {
        const double angle = 2 * std::numbers::pi * i / segments;
        const double px = x + cylinder.radius * std::cos(angle);
        const double py = y + cylinder.radius * std::sin(angle);
        bottom.push_back(mesh.Add(px, py, z));
        top.push_back(mesh.Add(px, py, z + cylinder.height));
    }
    for (int i = 0; i < segments; ++i) {
        const int next = (i + 1) % segments;
        mesh.AddTriangle(bottomCentre, bottom[i], bottom[next]);
        mesh.AddTriangle(topCentre, top[i], top[next]);
        mesh.AddQuad(bottom[i], bottom[next], top[next], top[i]);
    }
    return mesh.OrientedAround({x, y, z + cylinder.height / 2});
}

std::vector<Triangle> TessellateSphere(const Sphere& sphere, double tolerance)
{
    const int segments = SphereSegments(sphere.radius, tolerance);
    const int rings = segments / 2;  // the same angular step from pole to pole as around
    const auto& [x, y, z] = sphere.centre;
    const double r = sphere.radius;
    IndexedMesh mesh;
    const std::uint32_t north = mesh.Add(x, y, z + r);
    const std::uint32_t south = mesh.Add(x, y, z - r);
    // ring[j][i]: the j-th circle of latitude below the north pole, i-th meridian.
    std::vector<std::vector<std::uint32_t>> ring(rings - 1);
    for (int j = 1; j < rings; ++j) {
        const double polar = std::numbers::pi * j / rings;
        for (int i = 0; i < segments; ++i) {
            const double azimuth = 2 * std::numbers::pi * i / segments;
            ring[j - 1].push_back(mesh.Add(x + r * std::sin(polar) * std::cos(azimuth),
                                           y + r * std::sin(polar) * std::sin(azimuth), z + r * std::cos(polar)));
        }
    }
    for (int i = 0; i < segments; ++i) {
        const int next = (i + 1) % segments;
        mesh.AddTriangle(north, ring.front()[i], ring.front()[next]);
        mesh.AddTriangle(south, ring.back()[i], ring.back()[next]);
        for (std::size_t j = 0; j + 1 < ring.size(); ++j) {
            mesh.AddQuad(ring[j][i], ring[j][next], ring[j + 1][next], ring[j + 1][i]);
        }
    }
    return mesh.OrientedAround(sphere.centre);
}

// Segments of a full circle for which a chord spanning `span` of them keeps
// within the tolerance of its arc.
int SegmentsForChordSpan(double radius, double tolerance, double span)
{
    if (!(tolerance > 0) || !std::isfinite(tolerance)) {
        return kMaxCircleSegments;
    }
    // A chord over the angle a lies r * (1 - cos(a / 2)) below its arc.
    const double largestHalfAngle = std::acos(std::clamp(1 - tolerance / radius, -1.0, 1.0));
    if (largestHalfAngle <= 0) {
        return kMaxCircleSegments;
    }
    const double segments = std::ceil(span * std::numbers::pi / largestHalfAngle);
    return static_cast<int>(std::clamp(segments, double(kMinCircleSegments), double(kMaxCircleSegments)));
}

} // namespace

Vertex FacetNormal(const Triangle& triangle)
{
    const auto& [p, q, r] = triangle.corners;
    const double u[3] = {double(q[0]) - p[0], double(q[1]) - p[1], double(q[2]) - p[2]};
    const double v[3] = {double(r[0]) - p[0], double(r[1]) - p[1], double(r[2]) - p[2]};
    const double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(length > 0)) {
        return {0, 0, 0};
    }
    return {static_cast<float>(n[0] / length), static_cast<float>(n[1] / length), static_cast<float>(n[2] / length)};
}

int CircleSegments(double radius, double tolerance)
{
    return SegmentsForChordSpan(radius, tolerance, 1.0);
}

int SphereSegments(double radius, double tolerance)
{
    // A grid facet's corners lie on a circle about as wide as its diagonal,
    // which spans the angular step times the square root of two.
    const int segments = std::max(4, SegmentsForChordSpan(radius, tolerance, std::numbers::sqrt2));
    return std::min(segments + segments % 2, kMaxCircleSegments);
}

std::vector<Triangle> Tessellate(const Shape& shape, double tolerance)
{
    if (const auto* box = std::get_if<Box>(&shape)) {
        return TessellateBox(*box);
    }
    if (const auto* cylinder = std::get_if<Cylinder>(&shape)) {
        return TessellateCylinder(*cylinder, tolerance);
    }
    return TessellateSphere(std::get<Sphere>(shape), tolerance);
}

} // namespace standin
