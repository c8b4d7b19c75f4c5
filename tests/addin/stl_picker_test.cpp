// The STL picker as the user meets it: shown by a request from the channel's
// thread, driven through window messages on the host's user-interface thread.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "addin_resource.h"
#include "path_probe.h"
#include "picker_fixture.h"
#include "standin_drawing.h"

namespace {

// Offered rows: 1 Base, 3 Sketch (lines only), 4 Spindle, 6 Fixture. Colours
// by the highest colour index: Base 12 (green), Spindle 9 (orange), Fixture 7
// (blue); entity 1 is red, entity 2 green, entity 8 blue.
constexpr char kDrawing[] = R"({
  "units": "mm",
  "colourTable": {"3": "#FF0000", "7": "#0000FF", "9": "#FF8000", "12": "#00FF00"},
  "levels": [
    {"number": 1, "name": "Base"},
    {"number": 2, "name": "Torla"},
    {"number": 3, "name": "Sketch"},
    {"number": 4, "name": "Spindle"},
    {"number": 5, "name": "TORLAPELORA"},
    {"number": 6, "name": "Fixture"}
  ],
  "entities": [
    {"number": 1, "type": "solid", "level": 1, "colour": 3,
     "shape": {"box": {"corner": [0, 0, 0], "size": [40, 30, 4]}}},
    {"number": 2, "type": "solid", "level": 1, "colour": 12,
     "shape": {"cylinder": {"base": [20, 15, 4], "radius": 6, "height": 12}}},
    {"number": 3, "type": "line", "level": 3, "colour": 9},
    {"number": 4, "type": "imported solid", "level": 4, "colour": 9,
     "shape": {"cylinder": {"base": [20, 15, 16], "radius": 3, "height": 20}}},
    {"number": 5, "type": "imported mesh", "level": 4, "colour": 3,
     "shape": {"sphere": {"centre": [20, 15, 38], "radius": 2}}},
    {"number": 6, "type": "solid", "level": 2, "colour": 3,
     "shape": {"box": {"corner": [0, 0, -2], "size": [40, 30, 2]}}},
    {"number": 7, "type": "solid", "level": 5, "colour": 3,
     "shape": {"box": {"corner": [0, 0, -4], "size": [40, 30, 2]}}},
    {"number": 8, "type": "mesh", "level": 6, "colour": 7,
     "shape": {"box": {"corner": [50, 0, 0], "size": [10, 10, 10]}}}
  ]
})";

constexpr int kBaseRow = 0;
constexpr int kSketchRow = 1;
constexpr int kSpindleRow = 2;
constexpr int kFixtureRow = 3;

const std::wstring kNothingChosen = L"Failed to select/export any STL file. Close STL picker?";
const std::wstring kNameMissing = L"Please enter a name for the selected geometry";
const std::wstring kBadTolerance = L"Please enter a triangulation tolerance greater than 0";

class StlPickerTest : public PickerTest {
protected:
    void SetUp() override
    {
        PickerTest::SetUp();
        UseDrawing(kDrawing);
        existing_ = scratch_.WriteFile(L"Parts\\bar.stl", std::string(84, '\0'));
    }

    std::vector<std::wstring> OutputFiles() const
    {
        std::vector<std::wstring> names;
        for (const auto& entry : std::filesystem::directory_iterator(output_)) {
            names.push_back(entry.path().filename().wstring());
        }
        return names;
    }

    std::wstring existing_;
};

TEST_F(StlPickerTest, ListsTheOfferedLevelsUntickedWithTheirNumbers)
{
    BeginRequest();
    const HWND list = Item(IDC_LEVEL_LIST);
    ASSERT_EQ(RowCount(), 4);
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"1", L"Base"}, {L"3", L"Sketch"}, {L"4", L"Spindle"}, {L"6", L"Fixture"}};
    for (int row = 0; row < 4; ++row) {
        wchar_t number[32] = {};
        wchar_t name[64] = {};
        ListView_GetItemText(list, row, 1, number, 32);
        ListView_GetItemText(list, row, 2, name, 64);
        EXPECT_EQ(std::make_pair(std::wstring(number), std::wstring(name)), expected[static_cast<size_t>(row)]);
        EXPECT_FALSE(ListView_GetCheckState(list, row));
    }
    EXPECT_TRUE(Enabled(IDC_LEVEL_LIST));
    EXPECT_FALSE(Enabled(IDC_TOLERANCE));
    EXPECT_FALSE(Enabled(IDC_SELECTION_NAME));
    EXPECT_EQ(Text(IDC_TOLERANCE), L"0.1000");

    // Ticking a row enables the tolerance, unticking the last one disables it again.
    Tick(kSpindleRow);
    EXPECT_TRUE(Enabled(IDC_TOLERANCE));
    Tick(kBaseRow);
    Tick(kSpindleRow, false);
    EXPECT_TRUE(Enabled(IDC_TOLERANCE));
    Tick(kBaseRow, false);
    EXPECT_FALSE(Enabled(IDC_TOLERANCE));
}

struct NoLevelsCase {
    const char* name;
    const char* drawing;
    friend void PrintTo(const NoLevelsCase& c, std::ostream* os) { *os << c.name; }
};

class NoLevelsTest : public PickerTest, public testing::WithParamInterface<NoLevelsCase> {};

TEST_P(NoLevelsTest, ListStaysEmptyAndDisabledAndTheToleranceWaitsForASelection)
{
    UseDrawing(GetParam().drawing);
    UsePicks("1\n");
    BeginRequest();
    EXPECT_EQ(RowCount(), 0);
    EXPECT_FALSE(Enabled(IDC_LEVEL_LIST));
    EXPECT_FALSE(Enabled(IDC_TOLERANCE));
    EXPECT_FALSE(Enabled(IDC_SELECTION_NAME));

    EXPECT_EQ(Press(IDC_SELECT), std::nullopt);
    EXPECT_TRUE(::IsWindowVisible(Item(IDOK))) << "the picker is shown again after the selection";
    EXPECT_EQ(Text(IDC_SELECTION_COUNT), L"1 entities selected");
    EXPECT_TRUE(Enabled(IDC_TOLERANCE));
    EXPECT_TRUE(Enabled(IDC_SELECTION_NAME));
    EXPECT_FALSE(Enabled(IDC_LEVEL_LIST));
}

INSTANTIATE_TEST_SUITE_P(
    Drawings, NoLevelsTest,
    testing::Values(
        NoLevelsCase{"NoLevelAtAll", R"({"units": "mm", "levels": [], "entities": [
            {"number": 1, "type": "solid", "level": 1, "shape": {"box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}}]})"},
        NoLevelsCase{"OnlyTheSimulatorsLevels", R"({"units": "mm",
            "levels": [{"number": 1, "name": "Torla"}, {"number": 2, "name": "TORLAPELORA"}], "entities": [
            {"number": 1, "type": "solid", "level": 1, "shape": {"box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}}]})"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StlPickerTest, OkWithNothingChosenAsksAndNoKeepsEverything)
{
    BeginRequest();
    SetText(IDC_STL_BROWSE, scratch_ / L"Parts\\missing.stl");
    SetText(IDC_TOLERANCE, L"0.25");
    EXPECT_EQ(Press(IDOK, IDNO), kNothingChosen);
    ASSERT_TRUE(StillOpen());
    EXPECT_EQ(Text(IDC_STL_BROWSE), scratch_ / L"Parts\\missing.stl");
    EXPECT_EQ(Text(IDC_TOLERANCE), L"0.25");

    EXPECT_EQ(Press(IDOK, IDYES), kNothingChosen);
    EXPECT_EQ(Answer(), std::wstring());
    EXPECT_TRUE(PumpUntil([this] { return !::IsWindowVisible(picker_->Handle()); })) << "hidden after the request";
}

struct AnswerCase {
    const char* name;
    std::string picks;          // the host selection, when the select button is pressed
    std::wstring selectionName;
    std::vector<int> ticked;
    bool browseExisting;
    std::wstring tolerance;  // empty: as it is
    // Entries: "<out>" stands for the output folder, "<file>" for the browsed file.
    std::vector<std::wstring> entries;
    friend void PrintTo(const AnswerCase& c, std::ostream* os) { *os << c.name; }
};

class AnswerTest : public StlPickerTest, public testing::WithParamInterface<AnswerCase> {
protected:
    std::wstring Expected() const
    {
        std::wstring list;
        for (std::wstring entry : GetParam().entries) {
            if (entry == L"<file>") {
                entry = existing_;
            } else if (entry.rfind(L"<out>", 0) == 0) {
                entry = Output() + entry.substr(5);
            }
            list += (list.empty() ? L"" : L";") + entry;
        }
        return list;
    }
};

TEST_P(AnswerTest, ListsTheSelectionThenTheLevelsThenTheFile)
{
    const AnswerCase& c = GetParam();
    UsePicks(c.picks + "\n");
    BeginRequest();
    if (!c.picks.empty()) {
        Press(IDC_SELECT);
        SetText(IDC_SELECTION_NAME, c.selectionName);
    }
    for (int row : c.ticked) {
        Tick(row);
    }
    if (c.browseExisting) {
        SetText(IDC_STL_BROWSE, existing_);
    }
    if (!c.tolerance.empty()) {
        SetText(IDC_TOLERANCE, c.tolerance);
    }
    EXPECT_EQ(Press(IDOK), std::nullopt);
    const std::wstring expected = Expected();
    EXPECT_EQ(Answer(), expected);
    for (const std::wstring& entry : c.entries) {
        if (entry.rfind(L"<out>", 0) == 0) {
            const std::wstring path = Output() + entry.substr(5, entry.find(L'@') - 5);
            EXPECT_GT(StlFacetCount(path), 0) << "no STL file " << testing::PrintToString(path);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, AnswerTest,
    testing::Values(
        AnswerCase{"ThreeLevelsAndAFile", "", L"", {kBaseRow, kSpindleRow, kFixtureRow}, true, L"",
                   {L"<out>Base.stl@0x00b700", L"<out>Spindle.stl@0xb75c00", L"<out>Fixture.stl@0x0000b7", L"<file>"}},
        AnswerCase{"SelectionLevelAndFile", "8", L"Clamp", {kBaseRow}, true, L"",
                   {L"<out>Clamp.stl@0x0000b7", L"<out>Base.stl@0x00b700", L"<file>"}},
        AnswerCase{"NameWithTwoDotsKeepsThem", "1", L"Frame.old.stl", {}, false, L"",
                   {L"<out>Frame.old.stl@0xb70000"}},
        AnswerCase{"NameWithoutExtensionGetsOne", "1", L"Housing", {}, false, L"", {L"<out>Housing.stl@0xb70000"}},
        AnswerCase{"NameOfOnlyTheExtension", "2", L".stl", {}, false, L"", {L"<out>.stl@0x00b700"}},
        AnswerCase{"OnlyAFileNeedsNoTolerance", "", L"", {}, true, L"abc", {L"<file>"}},
        AnswerCase{"ToleranceTextWithUnits", "", L"", {kFixtureRow}, false, L" 0.05 mm",
                   {L"<out>Fixture.stl@0x0000b7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StlPickerTest, BrowseTextNamingAFolderIsNoFile)
{
    BeginRequest();
    Tick(kBaseRow);
    SetText(IDC_STL_BROWSE, scratch_ / L"Parts");
    Press(IDOK);
    EXPECT_EQ(Answer(), Output() + L"Base.stl@0x00b700");
}

TEST_F(StlPickerTest, EmptyNameIsRefusedAndCancelThenGivesNothing)
{
    UsePicks("1\n");
    BeginRequest();
    Press(IDC_SELECT);
    Tick(kBaseRow);
    EXPECT_EQ(Press(IDOK), kNameMissing);
    ASSERT_TRUE(StillOpen());
    EXPECT_TRUE(OutputFiles().empty()) << "nothing of this OK is written";
    Press(IDCANCEL);
    EXPECT_EQ(Answer(), std::wstring());
}

TEST_F(StlPickerTest, ToleranceThatIsNoPositiveNumberIsRefused)
{
    BeginRequest();
    Tick(kBaseRow);
    for (const std::wstring text : {L"0", L"-0.5", L"abc", L"", L"inf", L"nan"}) {
        SetText(IDC_TOLERANCE, text);
        EXPECT_EQ(Press(IDOK), kBadTolerance) << testing::PrintToString(text);
        ASSERT_TRUE(StillOpen());
    }
    EXPECT_TRUE(OutputFiles().empty());
    SetText(IDC_TOLERANCE, L"0.5");
    Press(IDOK);
    EXPECT_EQ(Answer(), Output() + L"Base.stl@0x00b700");
}

struct FailedWriteCase {
    const char* name;
    bool missingOutputFolder;
    std::vector<int> ticked;
    std::wstring failures;
    std::vector<int> untickedForTheRetry;
    bool retryWritesSpindle;
    friend void PrintTo(const FailedWriteCase& c, std::ostream* os) { *os << c.name; }
};

class FailedWriteTest : public StlPickerTest, public testing::WithParamInterface<FailedWriteCase> {};

TEST_P(FailedWriteTest, WarnsAndStaysOpen)
{
    const FailedWriteCase& c = GetParam();
    if (c.missingOutputFolder) {
        picker_->SetOutputDirectory(scratch_ / L"gone\\");
    }
    BeginRequest();
    for (int row : c.ticked) {
        Tick(row);
    }
    SetText(IDC_STL_BROWSE, existing_);
    EXPECT_EQ(Press(IDOK), L"Some of the chosen geometry could not be written as STL:" + c.failures +
                               L"\n\nPlease change your choice and press OK again.");
    ASSERT_TRUE(StillOpen());
    EXPECT_EQ(Text(IDC_STL_BROWSE), existing_);

    // The user unticks what failed and tries again.
    for (int row : c.untickedForTheRetry) {
        Tick(row, false);
    }
    Press(IDOK);
    EXPECT_EQ(Answer(), (c.retryWritesSpindle ? Output() + L"Spindle.stl@0xb75c00;" : L"") + existing_);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailedWriteTest,
    testing::Values(FailedWriteCase{"OutputFolderMissing", true, {kSpindleRow, kBaseRow},
                                    L"\n  Level 1 \"Base\": the file could not be written"
                                    L"\n  Level 4 \"Spindle\": the file could not be written",
                                    {kSpindleRow, kBaseRow}, false},
                    FailedWriteCase{"LevelOfLinesOnly", false, {kSpindleRow, kSketchRow},
                                    L"\n  Level 3 \"Sketch\": no solid or surface geometry to write",
                                    {kSketchRow}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StlPickerTest, SelectionThatCannotBeWrittenIsReportedByItsName)
{
    struct Case {
        const char* name;
        std::wstring selectionName;
        bool entitiesDeletedMeanwhile;
        std::wstring line;
    };
    const Case cases[] = {
        {"name the file system refuses", L"Bad|Name", false,
         L"\n  Selection \"Bad|Name\": the file could not be written"},
        {"entities gone since the selection", L"Part", true,
         L"\n  Selection \"Part\": no solid or surface geometry to write"},
    };
    UsePicks("1\n1\n");  // one line per selection
    for (const Case& c : cases) {
        UseDrawing(kDrawing);
        BeginRequest();
        Press(IDC_SELECT);
        SetText(IDC_SELECTION_NAME, c.selectionName);
        if (c.entitiesDeletedMeanwhile) {
            UseDrawing(R"({"units": "mm", "levels": [{"number": 1, "name": "Base"}], "entities": [
                {"number": 1, "type": "solid", "level": 1, "deleted": true,
                 "shape": {"box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}}]})");
        }
        EXPECT_EQ(Press(IDOK), L"Some of the chosen geometry could not be written as STL:" + c.line +
                                   L"\n\nPlease change your choice and press OK again.")
            << c.name;
        EXPECT_TRUE(StillOpen()) << c.name;
        EXPECT_TRUE(OutputFiles().empty()) << c.name;
        Press(IDCANCEL);
        EXPECT_EQ(Answer(), std::wstring()) << c.name;
    }
}

// A drawing whose levels have these names, each level with a box.
std::string DrawingWithLevels(const std::vector<std::string>& names)
{
    std::string levels;
    std::string entities;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const std::string separator = i == 0 ? "" : ",";
        levels += separator + R"({"number": )" + number + R"(, "name": ")" + names[i] + "\"}";
        entities += separator + R"({"number": )" + number + R"(, "type": "solid", "level": )" + number +
                    R"(, "shape": {"box": {"corner": [0, 0, 0], "size": [1, 1, 1]}}})";
    }
    return R"({"units": "mm", "levels": [)" + levels + R"(], "entities": [)" + entities + "]}";
}

// Level names whose files in the output folder make a path list of exactly
// `length` bytes (no colour table: each entry ends in "@0x000000").
std::vector<std::string> LevelNamesForPathList(std::size_t length, std::size_t outputLength)
{
    constexpr std::size_t longestName = 150;  // keeps each path well within MAX_PATH
    constexpr std::size_t besideName = 13;    // ".stl@0x000000"
    const std::size_t perLevel = outputLength + longestName + besideName + 1;
    const std::size_t count = (length + perLevel) / perLevel;
    std::size_t namesLength = length - (count - 1) - count * (outputLength + besideName);
    std::vector<std::string> names;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = std::to_string(i + 1) + "_";
        name.resize(namesLength / (count - i), 'x');
        namesLength -= name.size();
        names.push_back(name);
    }
    return names;
}

TEST_F(StlPickerTest, PathListTheChannelCannotCarryIsRefused)
{
    for (const std::size_t length : {std::size_t{10239}, std::size_t{10240}}) {
        UseDrawing(DrawingWithLevels(LevelNamesForPathList(length, Output().size())));
        BeginRequest();
        for (int row = 0; row < RowCount(); ++row) {
            Tick(row);
        }
        if (length < 10240) {
            EXPECT_EQ(Press(IDOK), std::nullopt);
            const std::optional<std::wstring> answer = Answer();
            ASSERT_TRUE(answer.has_value());
            EXPECT_EQ(answer->size(), length);
            continue;
        }
        EXPECT_EQ(Press(IDOK), L"The chosen files are too many to hand to the editor at once. "
                               L"Please choose fewer levels and press OK again.");
        EXPECT_TRUE(StillOpen());
    }
}

TEST_F(StlPickerTest, SelectingAgainReplacesTheSelectionAndNothingDisablesTheName)
{
    UsePicks("2 1\n8\n\n8\n");
    BeginRequest();
    Press(IDC_SELECT);
    EXPECT_EQ(Text(IDC_SELECTION_COUNT), L"2 entities selected");
    EXPECT_TRUE(Enabled(IDC_SELECTION_NAME));
    SetText(IDC_SELECTION_NAME, L"Part");

    Press(IDC_SELECT);
    EXPECT_EQ(Text(IDC_SELECTION_COUNT), L"1 entities selected");

    Press(IDC_SELECT);  // picks nothing
    EXPECT_EQ(Text(IDC_SELECTION_COUNT), L"");
    EXPECT_FALSE(Enabled(IDC_SELECTION_NAME));
    EXPECT_FALSE(Enabled(IDC_TOLERANCE));

    Press(IDC_SELECT);
    EXPECT_TRUE(Enabled(IDC_SELECTION_NAME));
    EXPECT_EQ(Text(IDC_SELECTION_NAME), L"Part") << "the name is kept";
    Press(IDOK);
    EXPECT_EQ(Answer(), Output() + L"Part.stl@0x0000b7");
    EXPECT_EQ(StlFacetCount(OutputFile(L"Part.stl")), 12) << "only the box of the last selection";
}

TEST_F(StlPickerTest, CancelAndClosingGiveAnEmptyAnswer)
{
    for (const UINT way : {0u, static_cast<UINT>(WM_CLOSE)}) {
        BeginRequest();
        Tick(kBaseRow);
        SetText(IDC_STL_BROWSE, existing_);
        if (way == WM_CLOSE) {
            ::SendMessageW(picker_->Handle(), WM_CLOSE, 0, 0);
        } else {
            Press(IDCANCEL);
        }
        EXPECT_EQ(Answer(), std::wstring());
        EXPECT_TRUE(OutputFiles().empty());
        EXPECT_NE(picker_->Handle(), nullptr) << "the window is kept for the next request";
    }
}

TEST_F(StlPickerTest, NextRequestStartsAfreshButKeepsTheTolerance)
{
    UsePicks("1\n");
    BeginRequest();
    Press(IDC_SELECT);
    SetText(IDC_SELECTION_NAME, L"Part");
    Tick(kBaseRow);
    SetText(IDC_STL_BROWSE, existing_);
    SetText(IDC_TOLERANCE, L"0.2500");
    Press(IDCANCEL);
    ASSERT_EQ(Answer(), std::wstring());

    BeginRequest();
    ASSERT_EQ(RowCount(), 4);
    for (int row = 0; row < 4; ++row) {
        EXPECT_FALSE(ListView_GetCheckState(Item(IDC_LEVEL_LIST), row));
    }
    EXPECT_EQ(Text(IDC_SELECTION_COUNT), L"");
    EXPECT_EQ(Text(IDC_SELECTION_NAME), L"");
    EXPECT_FALSE(Enabled(IDC_SELECTION_NAME));
    EXPECT_EQ(Text(IDC_STL_BROWSE), L"");
    EXPECT_EQ(Text(IDC_TOLERANCE), L"0.2500");
    EXPECT_FALSE(Enabled(IDC_TOLERANCE));
    // The selection of the earlier request is forgotten: OK asks.
    EXPECT_EQ(Press(IDOK, IDYES), kNothingChosen);
    EXPECT_EQ(Answer(), std::wstring());
}

TEST_F(StlPickerTest, ManyLevelsFillTheListAlsoWhileThePickerIsStillShown)
{
    std::vector<std::string> names;
    for (int i = 1; i <= 60; ++i) {
        names.push_back("Level " + std::to_string(i));
    }
    UseDrawing(DrawingWithLevels(names));
    // The hide that ended an earlier request has not run yet when the next one comes.
    ::ShowWindow(picker_->Handle(), SW_SHOW);
    BeginRequest();
    EXPECT_EQ(RowCount(), 60);
    Tick(59);
    Press(IDOK);
    EXPECT_EQ(Answer(), Output() + L"Level 60.stl@0x000000");
}

} // namespace
