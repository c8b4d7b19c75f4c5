#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "guid_text.h"

namespace {

TEST(GuidText, HasFiveUpperCaseGroupsWithoutBraces)
{
    const std::string guid = MakeGuidString();
    ASSERT_EQ(guid.size(), 36u);
    for (size_t i = 0; i < guid.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            EXPECT_EQ(guid[i], '-') << guid;
        } else {
            const char c = guid[i];
            EXPECT_TRUE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')) << guid;
        }
    }
}

TEST(GuidText, EveryCallIsNew)
{
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        seen.insert(MakeGuidString());
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(GuidText, WideFormIsTheSameText)
{
    const std::wstring wide = MakeGuidWString();
    ASSERT_EQ(wide.size(), 36u);
    EXPECT_EQ(wide[8], L'-');
    EXPECT_EQ(wide[23], L'-');
}

} // namespace
