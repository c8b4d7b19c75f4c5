// The add-in's geometry work in the host drawing, against the stand-in host.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "host/host_view.h"
#include "host_geometry.h"
#include "path_probe.h"
#include "scratch_folder.h"
#include "standin_drawing.h"

namespace {

// Host colours hold red in the low byte: "#00FF00" is 0x00FF00, "#0000FF" 0xFF0000.
constexpr char kDrawing[] = R"({
  "units": "mm",
  "colourTable": {"3": "#FF0000", "7": "#0000FF", "12": "#00FF00", "9": "#FF8000"},
  "levels": [
    {"number": 1, "name": "Base"},
    {"number": 2, "name": "Torla"},
    {"number": 5, "name": "Spindle"},
    {"number": 3, "name": "Sketch"},
    {"number": 4, "name": "TORLAPELORA"},
    {"number": 6, "name": "Archive", "active": false},
    {"number": 7, "name": "torla"},
    {"number": 8, "name": "Base"}
  ],
  "entities": [
    {"number": 1, "type": "solid", "level": 1, "colour": 3,
     "shape": {"box": {"corner": [0, 0, 0], "size": [40, 30, 4]}}},
    {"number": 2, "type": "solid", "level": 1, "colour": 12, "selected": true,
     "shape": {"cylinder": {"base": [20, 15, 4], "radius": 6, "height": 12}}},
    {"number": 3, "type": "surface", "level": 1, "colour": 7,
     "shape": {"sphere": {"centre": [5, 5, 8], "radius": 2.5}}},
    {"number": 4, "type": "line", "level": 3, "colour": 9},
    {"number": 5, "type": "arc", "level": 3, "colour": 9, "selected": true},
    {"number": 6, "type": "imported solid", "level": 5, "colour": 9,
     "shape": {"cylinder": {"base": [20, 15, 16], "radius": 3, "height": 20}}},
    {"number": 7, "type": "imported mesh", "level": 5, "colour": 3,
     "shape": {"sphere": {"centre": [20, 15, 38], "radius": 2}}},
    {"number": 8, "type": "mesh", "level": 2, "colour": 3,
     "shape": {"box": {"corner": [17, 12, 36], "size": [6, 6, 1]}}},
    {"number": 9, "type": "solid", "level": 1, "colour": 255, "deleted": true,
     "shape": {"box": {"corner": [0, 0, 4], "size": [2, 2, 2]}}},
    {"number": 10, "type": "solid", "level": 8, "colour": 7,
     "shape": {"box": {"corner": [60, 0, 0], "size": [5, 5, 5]}}},
    {"number": 10, "type": "surface", "level": 8, "colour": 3,
     "shape": {"box": {"corner": [70, 0, 0], "size": [5, 5, 5]}}}
  ]
})";

std::vector<int> SelectedEntities()
{
    std::vector<int> numbers;
    for (const host::EntityRef entity : host::Entities()) {
        const host::EntityFields fields = host::ReadEntity(entity);
        if (fields.IsSelected()) {
            numbers.push_back(fields.entityNumber);
        }
    }
    return numbers;
}

class HostGeometryTest : public testing::Test {
protected:
    void SetUp() override { OpenStandinDrawing(kDrawing); }

    // Writes the selection of these entity numbers; the facet count of the file (-1: no file).
    std::int64_t SelectionFacets(const std::vector<std::int32_t>& numbers, const std::wstring& name)
    {
        std::uint32_t colour = 0;
        const std::wstring path = folder_ / name;
        EXPECT_EQ(WriteSelectionStl(numbers, path, 0.1, colour), StlWriteResult::Written);
        return StlFacetCount(path);
    }

    void UsePicks(const std::string& lines) { folder_.WriteFile(L"picks.txt", lines); }

    ScratchFolder folder_;
    ScopedEnvironmentVariable picks_{L"STANDIN_HOST_PICKS", folder_ / L"picks.txt"};
};

TEST_F(HostGeometryTest, OffersActiveLevelsButTheSimulatorsOwn)
{
    // "Torla" and "TORLAPELORA" match exactly; two levels may share a name.
    EXPECT_EQ(ListLevels(), (LevelList{{1, L"Base"}, {3, L"Sketch"}, {5, L"Spindle"}, {7, L"torla"}, {8, L"Base"}}));

    OpenStandinDrawing(R"({"units": "mm", "levels": [
        {"number": 5, "name": "Spindle"}, {"number": 2, "name": "Torla"}, {"number": 1, "name": "Base"}],
        "entities": []})");
    EXPECT_EQ(ListLevels(), (LevelList{{1, L"Base"}, {5, L"Spindle"}}));

    OpenStandinDrawing(R"({"units": "mm", "levels": [{"number": 2, "name": "Torla"},
        {"number": 3, "name": "Off", "active": false}], "entities": []})");
    EXPECT_TRUE(ListLevels().empty());
}

TEST_F(HostGeometryTest, LevelFileHasTheColourOfTheHighestColourIndexAndLeavesNothingSelected)
{
    // Level 1: colour indexes 3, 12 and 7 (and a deleted entity of 255).
    std::uint32_t colour = 0xDEADBEEF;
    const std::wstring path = folder_ / L"Base.stl";
    EXPECT_EQ(WriteLevelStl(1, path, 0.1, colour), StlWriteResult::Written);
    EXPECT_EQ(colour, 0x00FF00u);
    EXPECT_EQ(StlFacetCount(path), SelectionFacets({1, 2, 3}, L"same.stl"));
    EXPECT_TRUE(SelectedEntities().empty()) << "what the user had selected is cleared as well";
}

TEST_F(HostGeometryTest, LevelFileHoldsImportedSolidsAndMeshes)
{
    std::uint32_t colour = 0;
    const std::wstring path = folder_ / L"Spindle.stl";
    ASSERT_EQ(WriteLevelStl(5, path, 0.1, colour), StlWriteResult::Written);
    EXPECT_EQ(colour, 0x0080FFu);  // index 9 beats 3
    const std::int64_t solid = SelectionFacets({6}, L"solid.stl");
    const std::int64_t mesh = SelectionFacets({7}, L"mesh.stl");
    EXPECT_GT(solid, 0);
    EXPECT_GT(mesh, 0);
    EXPECT_EQ(StlFacetCount(path), solid + mesh);
}

TEST_F(HostGeometryTest, NothingToWriteLeavesNoFileAndAnExistingOneAsItWas)
{
    struct Case {
        const char* name;
        std::int32_t level;  // 0: write the selection below instead
        std::vector<std::int32_t> selection;
    };
    const Case cases[] = {
        {"level of lines and arcs", 3, {}},
        {"level without entities", 7, {}},
        {"no entity numbers", 0, {}},
        {"deleted entity", 0, {9}},
        {"numbers of no entity", 0, {99, 100}},
        {"entities of other types", 0, {4, 5}},
    };
    for (const Case& c : cases) {
        std::uint32_t colour = 0;
        const std::wstring missing = folder_ / L"missing.stl";
        const std::wstring kept = folder_.WriteFile(L"kept.stl", "earlier");
        for (const std::wstring& path : {missing, kept}) {
            const StlWriteResult result =
                c.level != 0 ? WriteLevelStl(c.level, path, 0.1, colour) : WriteSelectionStl(c.selection, path, 0.1, colour);
            EXPECT_EQ(result, StlWriteResult::NothingToWrite) << c.name;
        }
        EXPECT_FALSE(PathExists(missing)) << c.name;
        EXPECT_EQ(StlFacetCount(kept), -1) << c.name << ": the earlier file was changed";
        EXPECT_EQ(std::filesystem::file_size(kept), 7u) << c.name;
    }
}

TEST_F(HostGeometryTest, SelectionFileHoldsOnlyTheRememberedEntities)
{
    const std::int64_t boxAlone = SelectionFacets({1}, L"box.stl");
    EXPECT_EQ(boxAlone, 12);
    // The user selects more in the host before the file is written: it is not part of it.
    for (const host::EntityRef entity : host::Entities()) {
        host::SelectEntity(entity);
    }
    std::uint32_t colour = 0;
    const std::wstring path = folder_ / L"Clamp.stl";
    ASSERT_EQ(WriteSelectionStl({1}, path, 0.1, colour), StlWriteResult::Written);
    EXPECT_EQ(StlFacetCount(path), boxAlone);
    EXPECT_EQ(colour, 0x0000FFu);
    EXPECT_TRUE(SelectedEntities().empty());
}

TEST_F(HostGeometryTest, SelectionFindsEveryLiveEntityOfANumber)
{
    std::uint32_t colour = 0;
    const std::wstring path = folder_ / L"twins.stl";
    ASSERT_EQ(WriteSelectionStl({10, 9}, path, 0.1, colour), StlWriteResult::Written);
    EXPECT_EQ(StlFacetCount(path), 24);  // both boxes numbered 10, not the deleted 9
    EXPECT_EQ(colour, 0xFF0000u);        // index 7 beats 3
}

TEST_F(HostGeometryTest, FileThatCannotBeOpenedLeavesNothingSelected)
{
    std::uint32_t colour = 0;
    const std::wstring path = folder_ / L"missing\\Base.stl";
    EXPECT_EQ(WriteLevelStl(1, path, 0.1, colour), StlWriteResult::CannotWrite);
    EXPECT_TRUE(SelectedEntities().empty());
    host::SelectEntity(host::FirstEntity());
    EXPECT_EQ(WriteSelectionStl({1, 2}, path, 0.1, colour), StlWriteResult::CannotWrite);
    EXPECT_TRUE(SelectedEntities().empty());
    EXPECT_FALSE(PathExists(folder_ / L"missing"));
}

TEST_F(HostGeometryTest, WithoutAColourTableTheColourIsBlack)
{
    OpenStandinDrawing(R"({"units": "inch", "levels": [{"number": 1, "name": "Base"}], "entities": [
        {"number": 1, "type": "solid", "level": 1, "colour": 12, "shape": {"box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}}]})");
    std::uint32_t colour = 0xDEADBEEF;
    EXPECT_EQ(WriteLevelStl(1, folder_ / L"Base.stl", 0.1, colour), StlWriteResult::Written);
    EXPECT_EQ(colour, 0u);
    colour = 0xDEADBEEF;
    EXPECT_EQ(WriteSelectionStl({1}, folder_ / L"Sel.stl", 0.1, colour), StlWriteResult::Written);
    EXPECT_EQ(colour, 0u);
}

TEST_F(HostGeometryTest, InteractiveSelectionReplacesWhatWasSelectedBefore)
{
    // 2 and 5 are selected before; the user picks 7 (outside the mask), 3 and 1.
    UsePicks("7 3 1\n\ncancel\n");
    EXPECT_EQ(SelectInHost(), (std::vector<std::int32_t>{1, 3}));
    EXPECT_TRUE(SelectedEntities().empty());
    host::SelectEntity(host::FirstEntity());
    EXPECT_TRUE(SelectInHost().empty()) << "picking nothing";
    EXPECT_TRUE(SelectedEntities().empty());
    EXPECT_TRUE(SelectInHost().empty()) << "cancelled";
}

} // namespace
