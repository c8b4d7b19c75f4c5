// The host view of one release (this file is built once per release) against
// that release's stand-in runtime.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "expected_version_bases.h"
#include "host_view.h"
#include "scratch_folder.h"
#include "standin_host_control.h"
#include "window_driver.h"

namespace {

constexpr std::uint32_t kPickMask = 0x110100;

constexpr char kDrawing[] = R"({
  "units": "inch",
  "colourTable": {"3": "#FF0000", "7": "#0000FF", "12": "#00FF00"},
  "levels": [
    {"number": 5, "name": "Spindle"},
    {"number": 1, "name": "Base"},
    {"number": 2, "name": "Torla"},
    {"number": 9, "name": "Archive", "active": false},
    {"number": 4, "name": "Geh\u00e4use"},
    {"number": 6, "name": "Torla"}
  ],
  "entities": [
    {"number": 10, "type": "solid", "level": 1, "colour": 3,
     "shape": {"box": {"corner": [0, 0, 0], "size": [4, 3, 1]}}},
    {"number": 11, "type": "line", "level": 1, "colour": 7},
    {"number": 12, "type": "surface", "level": 5, "colour": 12, "selected": true,
     "shape": {"cylinder": {"base": [0, 0, 1], "radius": 1, "height": 2}}},
    {"number": 13, "type": "imported solid", "level": 5, "colour": 7,
     "shape": {"sphere": {"centre": [0, 0, 5], "radius": 1}}},
    {"number": 14, "type": "mesh", "level": 4, "deleted": true,
     "shape": {"box": {"corner": [9, 9, 9], "size": [1, 1, 1]}}},
    {"number": 14, "type": "mesh", "level": 4, "colour": 255,
     "shape": {"box": {"corner": [5, 0, 0], "size": [1, 1, 1]}}},
    {"number": 15, "type": "imported mesh", "level": 4,
     "shape": {"sphere": {"centre": [5, 5, 5], "radius": 0.5}}}
  ]
})";

constexpr char kBlankDrawing[] = R"({"units": "mm", "levels": [], "entities": []})";

std::string ReadBytes(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void OpenDrawing(const char* json)
{
    std::string error;
    ASSERT_TRUE(StandinOpenDrawingText(json, error)) << error;
}

class HostAdapter : public testing::Test {
protected:
    void SetUp() override
    {
        ::SetEnvironmentVariableW(L"STANDIN_HOST_PICKS", nullptr);
        OpenDrawing(kDrawing);
    }

    struct Visit {
        host::EntityRef entity;
        host::EntityFields fields;
        bool live;
    };

    static std::vector<Visit> Walk()
    {
        std::vector<Visit> visits;
        for (host::EntityRef entity : host::Entities()) {
            visits.push_back({entity, host::ReadEntity(entity), host::IsLiveEntity(entity)});
        }
        return visits;
    }

    // Entity numbers of the entities (live ones only, unless told) that are selected.
    static std::vector<int> Selected(bool liveOnly = true)
    {
        std::vector<int> numbers;
        for (const Visit& visit : Walk()) {
            if (visit.fields.IsSelected() && (visit.live || !liveOnly)) {
                numbers.push_back(visit.fields.entityNumber);
            }
        }
        return numbers;
    }

    static host::EntityRef Entity(int number, bool live = true)
    {
        for (const Visit& visit : Walk()) {
            if (visit.fields.entityNumber == number && visit.live == live) {
                return visit.entity;
            }
        }
        ADD_FAILURE() << "no entity " << number;
        return {};
    }

    static void UnselectAll()
    {
        for (host::EntityRef entity : host::Entities()) {
            host::UnselectEntity(entity);
        }
    }
};

TEST_F(HostAdapter, AnswersVersionsWithinThisReleasesWindowOnly)
{
    const auto expected = std::find_if(std::begin(kExpectedVersionBases), std::end(kExpectedVersionBases),
                                       [](const ExpectedVersionBase& e) { return e.release == RIGSMITH_HOST_RELEASE; });
    ASSERT_NE(expected, std::end(kExpectedVersionBases));
    const int base = expected->base;
    EXPECT_EQ(host::Release(), RIGSMITH_HOST_RELEASE);
    EXPECT_EQ(host::VersionBase(), base);
    for (const VersionProbe& probe : kVersionProbes) {
        const int version = ProbeVersion(probe, base);
        EXPECT_EQ(host::AnswerVersion(version), probe.answeredAsGiven ? version : base) << probe.name;
    }
}

TEST_F(HostAdapter, UnitsFollowTheDrawing)
{
    EXPECT_FALSE(host::IsMetric());
    OpenDrawing(kBlankDrawing);
    EXPECT_TRUE(host::IsMetric());
}

TEST_F(HostAdapter, ActiveLevelsComeInTheHostsOrder)
{
    EXPECT_EQ(host::ActiveLevelNumbers(), (std::vector<int>{5, 1, 2, 4, 6}));
    OpenDrawing(kBlankDrawing);
    EXPECT_TRUE(host::ActiveLevelNumbers().empty());
    OpenDrawing(R"({"units": "mm", "levels": [{"number": 3, "name": "Off", "active": false}], "entities": []})");
    EXPECT_TRUE(host::ActiveLevelNumbers().empty());
}

TEST_F(HostAdapter, LevelsAreFoundByTheirExactName)
{
    EXPECT_EQ(host::LevelNumbersByName(L"Torla"), (std::vector<int>{2, 6}));
    EXPECT_TRUE(host::LevelNumbersByName(L"TORLAPELORA").empty());
    EXPECT_TRUE(host::LevelNumbersByName(L"torla").empty());
    EXPECT_EQ(host::LevelNumbersByName(L"Archive"), (std::vector<int>{9}));
}

TEST_F(HostAdapter, LevelNamesComeAsWideText)
{
    EXPECT_EQ(host::LevelName(4), L"Geh\u00e4use");
    EXPECT_EQ(host::LevelName(5), L"Spindle");
    EXPECT_EQ(host::LevelName(77), L"");
}

TEST_F(HostAdapter, WalkVisitsEveryEntityOnceInTheHostsOrder)
{
    const std::vector<Visit> visits = Walk();
    std::vector<int> numbers;
    std::vector<bool> live;
    for (const Visit& visit : visits) {
        numbers.push_back(visit.fields.entityNumber);
        live.push_back(visit.live);
    }
    EXPECT_EQ(numbers, (std::vector<int>{10, 11, 12, 13, 14, 14, 15}));
    EXPECT_EQ(live, (std::vector<bool>{true, true, true, true, false, true, true}));

    const host::EntityFields surface = visits[2].fields;
    EXPECT_EQ(surface.typeCode, 0x100u);
    EXPECT_EQ(surface.selectionFlags, host::kSelectedFlag);
    EXPECT_EQ(surface.colourIndex, 12);
    EXPECT_EQ(surface.level, 5);
    EXPECT_EQ(visits[5].fields.colourIndex, 255);
    EXPECT_EQ(visits[6].fields.typeCode, 0x200000u);
    EXPECT_FALSE(host::NextEntity(visits.back().entity));
}

TEST_F(HostAdapter, ReopeningReplacesTheWalk)
{
    OpenDrawing(kBlankDrawing);
    EXPECT_FALSE(host::FirstEntity());
    OpenDrawing(R"({"units": "mm", "levels": [], "entities": [{"number": 77, "type": "point", "level": 0}]})");
    ASSERT_TRUE(host::FirstEntity());
    EXPECT_EQ(host::ReadEntity(host::FirstEntity()).entityNumber, 77);
}

TEST_F(HostAdapter, HandleTheHostNeverGaveIsNotLive)
{
    EXPECT_FALSE(host::IsLiveEntity(host::EntityRef(12345)));
}

TEST_F(HostAdapter, SelectionChangesTheFlagButNotTheWalk)
{
    host::SelectEntity(Entity(10));
    EXPECT_TRUE(host::ReadEntity(Entity(10)).IsSelected());
    EXPECT_EQ(Selected(), (std::vector<int>{10, 12}));
    EXPECT_EQ(Walk().size(), 7u);
    UnselectAll();
    EXPECT_TRUE(Selected(false).empty());
}

TEST_F(HostAdapter, ScriptedSelectionPicksWhatTheMaskAllowsAndKeepsEarlierSelection)
{
    const ScratchFolder folder;
    const std::wstring script = folder.WriteFile(L"picks.txt", "10 13 14 15 99\n\ncancel\n11\n11\n");
    ::SetEnvironmentVariableW(L"STANDIN_HOST_PICKS", script.c_str());

    // 12 was selected before; 13 and 15 are of types outside the mask, the
    // deleted 14 is not live, and there is no entity 99.
    host::SelectInteractively(kPickMask);
    const std::vector<int> firstPick = {10, 12, 14};
    EXPECT_EQ(Selected(false), firstPick);
    host::SelectInteractively(kPickMask);  // an empty line
    host::SelectInteractively(kPickMask);  // cancelled
    host::SelectInteractively(kPickMask);  // a line entity, outside the mask
    EXPECT_EQ(Selected(false), firstPick);
    host::SelectInteractively(0x2);  // the line entity under a mask that allows lines
    EXPECT_EQ(Selected(false), (std::vector<int>{10, 11, 12, 14}));
    host::SelectInteractively(0x2);  // past the last line: cancelled
    EXPECT_EQ(Selected(false), (std::vector<int>{10, 11, 12, 14}));
}

TEST_F(HostAdapter, AnotherScriptIsFollowedFromItsFirstLine)
{
    const ScratchFolder folder;
    ::SetEnvironmentVariableW(L"STANDIN_HOST_PICKS", folder.WriteFile(L"first.txt", "10\n14\n").c_str());
    host::SelectInteractively(kPickMask);
    ::SetEnvironmentVariableW(L"STANDIN_HOST_PICKS", folder.WriteFile(L"second.txt", "11\n").c_str());
    host::SelectInteractively(0x2);
    EXPECT_EQ(Selected(), (std::vector<int>{10, 11, 12}));
}

struct DialogVisit {
    std::vector<std::wstring> rows;
    bool found = false;
};

// Runs the interactive selection with nothing selected before, while a
// "user" picks the rows (or cancels) in the dialog it shows.
DialogVisit SelectInDialog(std::vector<int> rows, bool cancel)
{
    for (host::EntityRef entity : host::Entities()) {
        host::UnselectEntity(entity);
    }
    DialogVisit visit;
    {
        // The user: looks at the rows, picks some of them and presses OK (or Cancel).
        WhenWindowAppears user(L"Select entities", [&](HWND dialog) {
            const HWND list = ::FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
            const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
            for (LRESULT row = 0; row < count; ++row) {
                wchar_t text[256] = {};
                ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
                visit.rows.emplace_back(text);
            }
            for (int row : rows) {
                ::SendMessageW(list, LB_SETSEL, TRUE, row);
            }
            PressButton(dialog, cancel ? IDCANCEL : IDOK);
        });
        host::SelectInteractively(kPickMask);
        visit.found = user.Done();
    }
    return visit;
}

TEST_F(HostAdapter, WithoutScriptTheUserPicksInADialog)
{
    const DialogVisit visit = SelectInDialog({0, 2}, false);
    ASSERT_TRUE(visit.found);
    ASSERT_EQ(visit.rows.size(), 3u);  // the live entities the mask allows
    EXPECT_EQ(visit.rows[0], L"Entity 10: solid, level 1, colour 3");
    EXPECT_EQ(visit.rows[1], L"Entity 12: surface, level 5, colour 12");
    EXPECT_EQ(visit.rows[2], L"Entity 14: mesh, level 4, colour 255");
    EXPECT_EQ(Selected(false), (std::vector<int>{10, 14}));
}

TEST_F(HostAdapter, CancellingTheDialogPicksNothing)
{
    ASSERT_TRUE(SelectInDialog({0, 1}, true).found);
    EXPECT_TRUE(Selected(false).empty());
}

TEST_F(HostAdapter, ColoursComeFromTheTableRedInTheLowByte)
{
    EXPECT_EQ(host::ColourOfIndex(12), 0x00FF00u);
    EXPECT_EQ(host::ColourOfIndex(3), 0x0000FFu);
    EXPECT_EQ(host::ColourOfIndex(7), 0xFF0000u);
    EXPECT_EQ(host::ColourOfIndex(200), 0u);  // not in the table: black
    OpenDrawing(kBlankDrawing);
    EXPECT_EQ(host::ColourOfIndex(12), std::nullopt);
}

class HostAdapterStl : public HostAdapter {
protected:
    // Selects exactly the entities (live and deleted ones of the numbers),
    // writes them and returns the file's bytes.
    std::string WriteSelection(const std::vector<int>& numbers, double tolerance)
    {
        UnselectAll();
        for (host::EntityRef entity : host::Entities()) {
            const int number = host::ReadEntity(entity).entityNumber;
            if (std::find(numbers.begin(), numbers.end(), number) != numbers.end()) {
                host::SelectEntity(entity);
            }
        }
        const std::wstring path = folder_.WriteFile(L"out.stl", std::string(10000, 'x'));  // replaced, not appended to
        {
            host::StlFile file;
            EXPECT_TRUE(file.Open(path));
            file.WriteSelected(tolerance);
        }
        return ReadBytes(path);
    }

    static std::uint32_t FacetCount(const std::string& bytes)
    {
        EXPECT_GE(bytes.size(), 84u);
        std::uint32_t count = 0;
        for (int i = 3; i >= 0; --i) {
            count = (count << 8) | static_cast<unsigned char>(bytes[80 + i]);
        }
        EXPECT_EQ(bytes.size(), 84u + 50u * count);
        EXPECT_NE(bytes.substr(0, 5), "solid");
        return count;
    }

    ScratchFolder folder_;
};

TEST_F(HostAdapterStl, WritesOnlySelectedLiveEntitiesOfGeometryTypes)
{
    EXPECT_EQ(FacetCount(WriteSelection({}, 0.1)), 0u);
    EXPECT_EQ(FacetCount(WriteSelection({10}, 0.1)), 12u);
    EXPECT_EQ(FacetCount(WriteSelection({10, 11}, 0.1)), 12u);  // a line is not written
    const std::uint32_t withSphere = FacetCount(WriteSelection({10, 13}, 0.1));
    EXPECT_GT(withSphere, 12u);
    // The deleted 14 is not written, its live twin (a 12-facet box) is; so is the imported mesh.
    EXPECT_EQ(FacetCount(WriteSelection({10, 13, 14}, 0.1)), withSphere + 12);
    EXPECT_GT(FacetCount(WriteSelection({10, 13, 14, 15}, 0.1)), withSphere + 12);
    EXPECT_EQ(Selected(false), (std::vector<int>{10, 13, 14, 14, 15}));  // the writer leaves the selection alone
}

TEST_F(HostAdapterStl, SmallerToleranceGivesMoreFacets)
{
    std::uint32_t previous = 0;
    for (double tolerance : {0.5, 0.1, 0.01, 0.001}) {
        const std::uint32_t count = FacetCount(WriteSelection({12, 13}, tolerance));
        EXPECT_GT(count, previous) << tolerance;
        previous = count;
    }
}

TEST_F(HostAdapterStl, FileInAMissingFolderCannotBeOpened)
{
    host::StlFile file;
    EXPECT_FALSE(file.Open(folder_ / L"missing\\out.stl"));
    file.WriteSelected(0.1);  // nothing to write into: no effect
    EXPECT_FALSE(std::filesystem::exists(folder_ / L"missing"));
}

TEST_F(HostAdapterStl, FileStaysReadableWhileOpenAndIsClosedWithTheObject)
{
    const std::wstring path = folder_ / L"open.stl";
    {
        host::StlFile file;
        ASSERT_TRUE(file.Open(path));
        const HANDLE reader = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(reader, INVALID_HANDLE_VALUE);
        ::CloseHandle(reader);
        file.WriteSelected(0.1);
    }
    std::filesystem::rename(path, folder_ / L"moved.stl");
    EXPECT_TRUE(std::filesystem::remove(folder_ / L"moved.stl"));
}

} // namespace
