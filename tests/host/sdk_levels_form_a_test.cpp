// The count-and-array level calls of the releases up to 2025, called directly:
// the SDK must never write past the array it is given.

#include <gtest/gtest.h>

#include "host_sdk.h"

#if defined(STANDIN_SDK_LEVELS_FORM_A)

#include <string>
#include <vector>

#include "standin_host_control.h"

namespace {

class LevelsFormA : public testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(StandinOpenDrawingText(R"({"units": "mm", "entities": [], "levels": [
            {"number": 3, "name": "A"}, {"number": 1, "name": "B"}, {"number": 8, "name": "A"}]})",
                                           error))
            << error;
    }
};

TEST_F(LevelsFormA, CountThenFill)
{
    int count = -5;
    get_active_levels(count, nullptr);
    ASSERT_EQ(count, 3);
    std::vector<int> levels(3);
    get_active_levels(count, levels.data());
    EXPECT_EQ(count, 3);
    EXPECT_EQ(levels, (std::vector<int>{3, 1, 8}));
}

TEST_F(LevelsFormA, ArrayTooSmallIsFilledOnlyAsFarAsItReaches)
{
    std::vector<int> levels = {-1, -1, -1, -1};
    int count = 2;
    get_active_levels(count, levels.data());
    EXPECT_EQ(count, 2);
    EXPECT_EQ(levels, (std::vector<int>{3, 1, -1, -1}));
    count = -1;
    get_active_levels(count, levels.data());
    EXPECT_EQ(count, 0);
}

TEST_F(LevelsFormA, NameLookupReportsNoneAsFalse)
{
    std::vector<int> numbers = {99};
    EXPECT_TRUE(GetLevelNumbersByName(L"", L"A", numbers));
    EXPECT_EQ(numbers, (std::vector<int>{3, 8}));
    EXPECT_FALSE(GetLevelNumbersByName(L"", L"C", numbers));
    EXPECT_TRUE(numbers.empty());
    EXPECT_FALSE(GetLevelNumbersByName(L"Some set", L"A", numbers));  // this host has no named level sets
}

} // namespace

#endif
