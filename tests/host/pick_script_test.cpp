#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "pick_script.h"

namespace {

struct PickCase {
    const char* name;
    const char* script;
    std::size_t call;
    bool parsed;
    bool cancelled;
    std::vector<std::int32_t> numbers;
};

class PickScript : public testing::TestWithParam<PickCase> {};

TEST_P(PickScript, AnswersEachCallFromItsLine)
{
    const PickCase& c = GetParam();
    const std::optional<standin::ScriptedPick> pick = standin::ScriptedPickOfCall(c.script, c.call);
    ASSERT_EQ(pick.has_value(), c.parsed);
    if (pick) {
        EXPECT_EQ(pick->cancelled, c.cancelled);
        EXPECT_EQ(pick->entityNumbers, c.numbers);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PickScript,
    testing::Values(PickCase{"Blanks", "3 1  2", 0, true, false, {3, 1, 2}},
                    PickCase{"CommasAndTabs", "4,5\t,6", 0, true, false, {4, 5, 6}},
                    PickCase{"SecondLine", "1\n7 8\n", 1, true, false, {7, 8}},
                    PickCase{"EmptyLinePicksNothing", "1\n\n2", 1, true, false, {}},
                    PickCase{"WindowsLineEnds", "1\r\n9\r\n", 1, true, false, {9}},
                    PickCase{"Cancel", "1\ncancel\n", 1, true, true, {}},
                    PickCase{"PastTheLastLineCancels", "1\n2\n", 2, true, true, {}},
                    PickCase{"EmptyScriptCancels", "", 0, true, true, {}},
                    PickCase{"NegativeNumber", "-4", 0, true, false, {-4}},
                    PickCase{"Word", "1 two", 0, false, false, {}},
                    PickCase{"TooLarge", "4294967296", 0, false, false, {}},
                    PickCase{"CancelWithNumbers", "cancel 3", 0, false, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
