#include <gtest/gtest.h>

#include <string>

#include "colour_text.h"
#include "stl_path_list.h"

namespace {

TEST(ColourText, DarkensEachChannelTo72Percent)
{
    const std::pair<std::uint32_t, std::wstring> cases[] = {
        {0x0000FF, L"0xb70000"},  // pure red
        {0x00FF00, L"0x00b700"},  // pure green
        {0xFF0000, L"0x0000b7"},  // pure blue
        {0xFFFFFF, L"0xb7b7b7"},
        {0x000000, L"0x000000"},
        {0x010101, L"0x000000"},  // 0.72 truncates to 0
        {0xFF808080, L"0x5c5c5c"},  // bits above blue are ignored; 128 * 0.72 = 92.16
        {0x000002, L"0x010000"},
    };
    for (const auto& [colour, text] : cases) {
        EXPECT_EQ(ColourText(colour), text) << std::hex << colour;
    }
}

TEST(SelectionFileName, CutsAtTheLastDot)
{
    EXPECT_EQ(SelectionFileName(L"Frame.old.stl"), L"Frame.old.stl");
    EXPECT_EQ(SelectionFileName(L"Housing"), L"Housing.stl");
    EXPECT_EQ(SelectionFileName(L".stl"), L".stl");
    EXPECT_EQ(SelectionFileName(L"Base.STEP"), L"Base.stl");
}

TEST(StlPathList, GeneratedFilesCarryTheirColourAndEntriesAreJoined)
{
    StlPathList list;
    EXPECT_TRUE(list.Empty());
    list.AddGenerated(L"C:\\T\\Sel.stl", L"0xb70000");
    list.AddGenerated(L"C:\\T\\Base.stl", L"0x00b700");
    list.AddExisting(L"D:\\parts\\spindle.stl");
    EXPECT_FALSE(list.Empty());
    EXPECT_EQ(list.Text(), L"C:\\T\\Sel.stl@0xb70000;C:\\T\\Base.stl@0x00b700;D:\\parts\\spindle.stl");
}

} // namespace
