#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "binary_stl.h"

namespace {

std::uint32_t Uint32At(const std::string& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

float FloatAt(const std::string& bytes, std::size_t offset)
{
    const std::uint32_t bits = Uint32At(bytes, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

TEST(BinaryStl, LaysOutHeaderCountAndFacetsLittleEndian)
{
    const standin::Triangle triangle{{{{0, 0, 0}, {2, 0, 0}, {0, 3, 0.5f}}}};
    const std::string bytes = standin::BinaryStl("stand-in", {triangle, triangle});
    ASSERT_EQ(bytes.size(), 80u + 4 + 2 * 50);
    EXPECT_EQ(bytes.substr(0, 8), "stand-in");
    EXPECT_EQ(bytes.substr(8, 72), std::string(72, '\0'));
    EXPECT_EQ(Uint32At(bytes, 80), 2u);

    const std::size_t facet = 84;
    const standin::Vertex normal = standin::FacetNormal(triangle);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(FloatAt(bytes, facet + 4 * i), normal[i]);
    }
    EXPECT_NEAR(normal[0], 0, 1e-7);
    EXPECT_NEAR(normal[1], -0.5 / std::sqrt(9.25), 1e-6);
    EXPECT_NEAR(normal[2], 3 / std::sqrt(9.25), 1e-6);
    for (int corner = 0; corner < 3; ++corner) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(FloatAt(bytes, facet + 12 + 12 * corner + 4 * i), triangle.corners[corner][i]);
        }
    }
    EXPECT_EQ(bytes.substr(facet + 48, 2), std::string(2, '\0'));
}

TEST(BinaryStl, HeaderNeverBeginsWithSolid)
{
    // Readers take such a file for the text form.
    const std::string bytes = standin::BinaryStl("solid part", {});
    EXPECT_NE(bytes.substr(0, 5), "solid");
    EXPECT_NE(bytes.find("solid part"), std::string::npos);
    EXPECT_EQ(bytes.size(), 84u);
}

TEST(BinaryStl, LongHeaderIsCut)
{
    const std::string bytes = standin::BinaryStl(std::string(200, 'h'), {});
    EXPECT_EQ(bytes.size(), 84u);
    EXPECT_EQ(bytes.substr(0, 80), std::string(80, 'h'));
    EXPECT_EQ(Uint32At(bytes, 80), 0u);
}

TEST(BinaryStl, TriangleWithoutAreaHasZeroNormal)
{
    const standin::Triangle flat{{{{1, 1, 1}, {2, 2, 2}, {3, 3, 3}}}};
    EXPECT_EQ(standin::FacetNormal(flat), (standin::Vertex{0, 0, 0}));
}

} // namespace
