#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <numbers>
#include <tuple>

#include "tessellation.h"

namespace {

using standin::Triangle;
using standin::Vertex;
using Vec = std::array<double, 3>;

Vec ToVec(const Vertex& v) { return {v[0], v[1], v[2]}; }
Vec Sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec Add(const Vec& a, const Vec& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec Scale(const Vec& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
Vec Cross(const Vec& a, const Vec& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double Length(const Vec& a) { return std::sqrt(Dot(a, a)); }

// The point of triangle abc closest to p (the region tests of Ericson's
// "Real-Time Collision Detection", 5.1.5).
Vec ClosestPointOnTriangle(const Vec& p, const Vec& a, const Vec& b, const Vec& c)
{
    const Vec ab = Sub(b, a), ac = Sub(c, a), ap = Sub(p, a);
    const double d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 <= 0 && d2 <= 0) return a;
    const Vec bp = Sub(p, b);
    const double d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return b;
    const double vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return Add(a, Scale(ab, d1 / (d1 - d3)));
    const Vec cp = Sub(p, c);
    const double d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return c;
    const double vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return Add(a, Scale(ac, d2 / (d2 - d6)));
    const double va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) {
        return Add(b, Scale(Sub(c, b), (d4 - d3) / ((d4 - d3) + (d5 - d6))));
    }
    const double denominator = 1 / (va + vb + vc);
    return Add(a, Add(Scale(ab, vb * denominator), Scale(ac, vc * denominator)));
}

double DistanceToSegment(const Vec& p, const Vec& a, const Vec& b)
{
    const Vec ab = Sub(b, a);
    const double lengthSquared = Dot(ab, ab);
    const double along = lengthSquared > 0 ? std::clamp(Dot(Sub(p, a), ab) / lengthSquared, 0.0, 1.0) : 0.0;
    return Length(Sub(p, Add(a, Scale(ab, along))));
}

// Every directed edge once, and its reverse once: closed and consistently oriented.
void ExpectClosedAndConsistent(const std::vector<Triangle>& triangles)
{
    std::map<std::pair<Vertex, Vertex>, int> edges;
    for (const Triangle& t : triangles) {
        for (int i = 0; i < 3; ++i) {
            ++edges[{t.corners[i], t.corners[(i + 1) % 3]}];
        }
    }
    for (const auto& [edge, count] : edges) {
        ASSERT_EQ(count, 1) << "an edge is used twice in the same direction";
        ASSERT_EQ(edges.count({edge.second, edge.first}), 1u) << "an edge has no neighbour";
    }
}

double SignedVolume(const std::vector<Triangle>& triangles)
{
    double volume = 0;
    for (const Triangle& t : triangles) {
        volume += Dot(ToVec(t.corners[0]), Cross(ToVec(t.corners[1]), ToVec(t.corners[2]))) / 6;
    }
    return volume;
}

TEST(Tessellation, BoxIsTwelveOutwardFacets)
{
    const auto triangles = standin::Tessellate(standin::Box{{1, 2, 3}, {4, 5, 6}}, 0.1);
    EXPECT_EQ(triangles.size(), 12u);
    ExpectClosedAndConsistent(triangles);
    EXPECT_NEAR(SignedVolume(triangles), 4 * 5 * 6, 1e-3);
}

struct CurvedCase {
    double radius;
    double tolerance;
};

class CurvedFaces : public testing::TestWithParam<CurvedCase> {};

TEST_P(CurvedFaces, CylinderSidesStayWithinTheTolerance)
{
    const auto [radius, tolerance] = GetParam();
    const standin::Cylinder cylinder{{3, -2, 1}, radius, 2 * radius};
    const auto triangles = standin::Tessellate(cylinder, tolerance);
    ExpectClosedAndConsistent(triangles);
    EXPECT_GT(SignedVolume(triangles), 0);
    double deepest = 0;
    for (const Triangle& t : triangles) {
        // Looked at along the axis, a side facet is a chord and a cap facet a
        // wedge whose outer edge is a chord: the deepest point lies on an edge.
        double nearest = std::numeric_limits<double>::max();
        for (int i = 0; i < 3; ++i) {
            const Vec a = {t.corners[i][0] - 3.0, t.corners[i][1] + 2.0, 0};
            const Vec b = {t.corners[(i + 1) % 3][0] - 3.0, t.corners[(i + 1) % 3][1] + 2.0, 0};
            if (Length(a) < radius / 2 || Length(b) < radius / 2) {
                continue;  // an edge to a cap's centre lies inside
            }
            nearest = std::min(nearest, DistanceToSegment({0, 0, 0}, a, b));
        }
        deepest = std::max(deepest, radius - nearest);
    }
    EXPECT_LE(deepest, tolerance * (1 + 1e-4));
    EXPECT_GT(deepest, 0);
}

TEST_P(CurvedFaces, SphereFacetsStayWithinTheTolerance)
{
    const auto [radius, tolerance] = GetParam();
    const Vec centre = {-1, 4, 2};
    const auto triangles = standin::Tessellate(standin::Sphere{centre, radius}, tolerance);
    ExpectClosedAndConsistent(triangles);
    EXPECT_GT(SignedVolume(triangles), 0);
    double deepest = 0;
    for (const Triangle& t : triangles) {
        const Vec closest = ClosestPointOnTriangle(centre, ToVec(t.corners[0]), ToVec(t.corners[1]), ToVec(t.corners[2]));
        deepest = std::max(deepest, radius - Length(Sub(closest, centre)));
    }
    EXPECT_LE(deepest, tolerance * (1 + 1e-4));
}

TEST_P(CurvedFaces, NoCoarserGridWouldDo)
{
    // The segment counts are the smallest that keep the chord within the tolerance.
    const auto [radius, tolerance] = GetParam();
    const int segments = standin::CircleSegments(radius, tolerance);
    const auto sagitta = [&](int n) { return radius * (1 - std::cos(std::numbers::pi / n)); };
    EXPECT_LE(sagitta(segments), tolerance * (1 + 1e-9));
    if (segments > standin::kMinCircleSegments) {
        EXPECT_GT(sagitta(segments - 1), tolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CurvedFaces,
                         testing::Values(CurvedCase{60, 1}, CurvedCase{60, 0.1}, CurvedCase{60, 0.05},
                                         CurvedCase{10, 0.01}, CurvedCase{0.5, 0.001}, CurvedCase{25, 3}),
                         [](const auto& info) {
                             return "Radius" + std::to_string(int(info.param.radius * 1000)) + "um_Tolerance" +
                                    std::to_string(int(info.param.tolerance * 1000)) + "um";
                         });

TEST(Tessellation, SmallerToleranceGivesMoreTriangles)
{
    const standin::Shape shapes[] = {standin::Cylinder{{0, 0, 0}, 10, 5}, standin::Sphere{{0, 0, 0}, 10}};
    for (const standin::Shape& shape : shapes) {
        std::size_t previous = 0;
        for (double tolerance : {2.0, 0.5, 0.1, 0.02}) {
            const std::size_t count = standin::Tessellate(shape, tolerance).size();
            EXPECT_GT(count, previous) << tolerance;
            previous = count;
        }
    }
}

TEST(Tessellation, SegmentCountsStayBounded)
{
    for (double tolerance : {0.0, -1.0, 1e-12, std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity()}) {
        const int circle = standin::CircleSegments(10, tolerance);
        const int sphere = standin::SphereSegments(10, tolerance);
        EXPECT_GE(circle, standin::kMinCircleSegments);
        EXPECT_LE(circle, standin::kMaxCircleSegments);
        EXPECT_GE(sphere, 4);
        EXPECT_LE(sphere, standin::kMaxCircleSegments);
        EXPECT_EQ(sphere % 2, 0);
    }
    EXPECT_EQ(standin::CircleSegments(10, 0), standin::kMaxCircleSegments);
    EXPECT_EQ(standin::CircleSegments(10, 100), standin::kMinCircleSegments);
    ExpectClosedAndConsistent(standin::Tessellate(standin::Sphere{{0, 0, 0}, 1}, 100));
}

} // namespace
