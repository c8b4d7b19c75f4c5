#include <gtest/gtest.h>

#include <string>

#include "drawing_json.h"
#include "entity_types.h"

namespace {

using standin::Box;
using standin::Cylinder;
using standin::Sphere;

TEST(DrawingJson, ReadsEveryPartOfADrawing)
{
    const auto result = standin::ParseDrawing(R"({
      "units": "inch",
      "colourTable": {"0": "#000000", "3": "#FF0000", "255": "#12aBcD"},
      "levels": [{"number": 7, "name": "Geh\u00e4use"}, {"number": -2, "name": "", "active": false}],
      "entities": [
        {"number": 4, "type": "solid", "level": 7, "colour": 3, "selected": true,
         "shape": {"box": {"corner": [1, 2, 3], "size": [4, 5.5, 6]}}},
        {"number": 4, "type": "0x20000", "level": -2, "deleted": true,
         "shape": {"cylinder": {"base": [0, 0, -1], "radius": 2, "height": 3}}},
        {"number": -9, "type": "imported mesh", "level": 99, "colour": 255,
         "shape": {"sphere": {"centre": [0.5, 0, 0], "radius": 0.25}}},
        {"number": 10, "type": "line", "level": 7}
      ]
    })");
    ASSERT_TRUE(result.drawing) << result.error;
    const standin::Drawing& drawing = *result.drawing;
    EXPECT_FALSE(drawing.metric);
    ASSERT_TRUE(drawing.colourTable);
    EXPECT_EQ(drawing.colourTable->size(), 3u);
    EXPECT_EQ(drawing.colourTable->at(3), 0x0000FFu);  // red in the low byte
    EXPECT_EQ(drawing.colourTable->at(255), 0xCDAB12u);

    ASSERT_EQ(drawing.levels.size(), 2u);
    EXPECT_EQ(drawing.levels[0].number, 7);
    EXPECT_EQ(drawing.levels[0].name, "Geh\xC3\xA4use");
    EXPECT_TRUE(drawing.levels[0].active);
    EXPECT_EQ(drawing.levels[1].number, -2);
    EXPECT_FALSE(drawing.levels[1].active);

    ASSERT_EQ(drawing.entities.size(), 4u);
    const standin::Entity& box = drawing.entities[0];
    EXPECT_EQ(box.number, 4);
    EXPECT_EQ(box.typeCode, 0x10000u);
    EXPECT_EQ(box.level, 7);
    EXPECT_EQ(box.colourIndex, 3);
    EXPECT_TRUE(box.selected);
    EXPECT_FALSE(box.deleted);
    ASSERT_TRUE(box.shape && std::holds_alternative<Box>(*box.shape));
    EXPECT_EQ(std::get<Box>(*box.shape).size[1], 5.5);

    const standin::Entity& deleted = drawing.entities[1];
    EXPECT_EQ(deleted.typeCode, 0x20000u);
    EXPECT_TRUE(deleted.deleted);
    EXPECT_EQ(deleted.colourIndex, 0);
    ASSERT_TRUE(deleted.shape && std::holds_alternative<Cylinder>(*deleted.shape));
    EXPECT_EQ(std::get<Cylinder>(*deleted.shape).baseCentre[2], -1);

    ASSERT_TRUE(drawing.entities[2].shape && std::holds_alternative<Sphere>(*drawing.entities[2].shape));
    EXPECT_EQ(drawing.entities[2].typeCode, 0x200000u);
    EXPECT_FALSE(drawing.entities[3].shape);
}

TEST(DrawingJson, ADrawingWithoutColourTableHasNone)
{
    const auto result = standin::ParseDrawing(R"({"units": "mm", "levels": [], "entities": []})");
    ASSERT_TRUE(result.drawing) << result.error;
    EXPECT_TRUE(result.drawing->metric);
    EXPECT_FALSE(result.drawing->colourTable);
}

struct BadDrawing {
    const char* name;
    const char* json;
    const char* error;  // a part of the message
};

class DrawingJsonErrors : public testing::TestWithParam<BadDrawing> {};

TEST_P(DrawingJsonErrors, SaysWhereAndWhat)
{
    const auto result = standin::ParseDrawing(GetParam().json);
    EXPECT_FALSE(result.drawing);
    EXPECT_NE(result.error.find(GetParam().error), std::string::npos) << result.error;
}

#define ENTITY_DRAWING(entity) R"({"units": "mm", "levels": [], "entities": [)" entity "]}"

INSTANTIATE_TEST_SUITE_P(
    Table, DrawingJsonErrors,
    testing::Values(
        BadDrawing{"NotJson", "{\"units\": ", "not valid JSON"},
        BadDrawing{"NotAnObject", "[]", "drawing: must be an object"},
        BadDrawing{"NoUnits", R"({"levels": [], "entities": []})", "missing member \"units\""},
        BadDrawing{"OtherUnits", R"({"units": "cm", "levels": [], "entities": []})", "units: must be"},
        BadDrawing{"MisspeltMember", R"({"units": "mm", "levels": [], "entities": [], "colorTable": {}})",
                   "unknown member \"colorTable\""},
        BadDrawing{"DuplicateKey", R"({"units": "mm", "units": "mm", "levels": [], "entities": []})",
                   "not valid JSON"},
        BadDrawing{"LevelTwice",
                   R"({"units": "mm", "levels": [{"number": 1, "name": "A"}, {"number": 1, "name": "B"}],
                       "entities": []})",
                   "levels[1].number: level 1 is listed twice"},
        BadDrawing{"LevelNumberNotInteger", R"({"units": "mm", "levels": [{"number": 1.5, "name": "A"}], "entities": []})",
                   "levels[0].number: must be a 32-bit integer"},
        BadDrawing{"ColourIndexTooHigh", R"({"units": "mm", "colourTable": {"256": "#000000"}, "levels": [], "entities": []})",
                   "colourTable.256: a colour index"},
        BadDrawing{"ColourIndexSigned", R"({"units": "mm", "colourTable": {"+1": "#000000"}, "levels": [], "entities": []})",
                   "colourTable.+1: a colour index"},
        BadDrawing{"ColourNotHex", R"({"units": "mm", "colourTable": {"1": "#GG0000"}, "levels": [], "entities": []})",
                   "colourTable.1: must be a colour"},
        BadDrawing{"ColourShort", R"({"units": "mm", "colourTable": {"1": "#FFF"}, "levels": [], "entities": []})",
                   "colourTable.1: must be a colour"},
        BadDrawing{"EntityNumberTooLarge", ENTITY_DRAWING(R"({"number": 3000000000, "type": "line", "level": 1})"),
                   "entities[0].number: must be a 32-bit integer"},
        BadDrawing{"UnknownType", ENTITY_DRAWING(R"({"number": 1, "type": "banana", "level": 1})"),
                   "entities[0].type: must be a type name"},
        BadDrawing{"BadHexType", ENTITY_DRAWING(R"({"number": 1, "type": "0x1G", "level": 1})"),
                   "entities[0].type"},
        BadDrawing{"ColourOutOfRange", ENTITY_DRAWING(R"({"number": 1, "type": "line", "level": 1, "colour": 256})"),
                   "entities[0].colour: must be a colour index"},
        BadDrawing{"NoLevel", ENTITY_DRAWING(R"({"number": 1, "type": "line"})"), "missing member \"level\""},
        BadDrawing{"ZeroRadius",
                   ENTITY_DRAWING(R"({"number": 1, "type": "solid", "level": 1,
                                      "shape": {"sphere": {"centre": [0, 0, 0], "radius": 0}}})"),
                   "entities[0].shape.sphere.radius: must be a number above zero"},
        BadDrawing{"NegativeBoxSize",
                   ENTITY_DRAWING(R"({"number": 1, "type": "solid", "level": 1,
                                      "shape": {"box": {"corner": [0, 0, 0], "size": [1, -1, 1]}}})"),
                   "entities[0].shape.box.size: every extent must be above zero"},
        BadDrawing{"TwoCoordinates",
                   ENTITY_DRAWING(R"({"number": 1, "type": "solid", "level": 1,
                                      "shape": {"box": {"corner": [0, 0], "size": [1, 1, 1]}}})"),
                   "entities[0].shape.box.corner: must be an array of three numbers"},
        BadDrawing{"TwoShapes",
                   ENTITY_DRAWING(R"({"number": 1, "type": "solid", "level": 1,
                                      "shape": {"sphere": {"centre": [0, 0, 0], "radius": 1},
                                                "box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}})"),
                   "must hold exactly one of"},
        BadDrawing{"UnknownShape",
                   ENTITY_DRAWING(R"({"number": 1, "type": "solid", "level": 1, "shape": {"cone": {}}})"),
                   "unknown shape \"cone\""},
        BadDrawing{"SelectedNotBool", ENTITY_DRAWING(R"({"number": 1, "type": "line", "level": 1, "selected": 1})"),
                   "entities[0].selected: must be true or false"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EntityTypes, AcceptedCodesCarryGeometryAndOthersDoNot)
{
    for (std::uint32_t code : {0x100u, 0x10000u, 0x20000u, 0x100000u, 0x200000u}) {
        EXPECT_NE(standin::KindOfType(code), standin::EntityKind::Other) << std::hex << code;
    }
    for (std::uint32_t code : {0x0u, 0x1u, 0x2u, 0x4u, 0x101u, 0x80000000u}) {
        EXPECT_EQ(standin::KindOfType(code), standin::EntityKind::Other) << std::hex << code;
    }
}

TEST(EntityTypes, NamesAndHexCodesRoundTrip)
{
    for (const standin::EntityType& type : standin::kEntityTypes) {
        EXPECT_EQ(standin::ParseTypeCode(standin::TypeName(type.code)), type.code);
    }
    EXPECT_EQ(standin::TypeName(0x123), "0x123");
    EXPECT_EQ(standin::ParseTypeCode("0x123"), 0x123u);
    EXPECT_EQ(standin::ParseTypeCode("0xffffffff"), 0xFFFFFFFFu);
    for (const char* bad : {"0x", "0X10", "10", "0x-1", "0x100000000", "Solid"}) {
        EXPECT_FALSE(standin::ParseTypeCode(bad)) << bad;
    }
}

} // namespace
