#include <gtest/gtest.h>

#include <string>

#include "text_encoding.h"

namespace {

struct WideToUtf8Case {
    const char* name;
    std::wstring wide;
    std::string utf8;
};

class WideToUtf8Test : public testing::TestWithParam<WideToUtf8Case> {};

TEST_P(WideToUtf8Test, EncodesEveryUnit)
{
    EXPECT_EQ(WideToUtf8(GetParam().wide), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WideToUtf8Test,
    testing::Values(WideToUtf8Case{"Empty", L"", ""}, WideToUtf8Case{"Ascii", L"C:\\Temp\\a.stl", "C:\\Temp\\a.stl"},
                    WideToUtf8Case{"TwoBytes", L"\u00E9", "\xC3\xA9"},
                    WideToUtf8Case{"ThreeBytes", L"\u20AC", "\xE2\x82\xAC"},
                    WideToUtf8Case{"Nul", std::wstring(L"a\0b", 3), std::string("a\0b", 3)},
                    WideToUtf8Case{"SurrogatePairIsOneCodePoint", L"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
                    WideToUtf8Case{"LoneHighSurrogateKeepsThreeBytes", L"a\xD83Dz", "a\xED\xA0\xBDz"},
                    WideToUtf8Case{"LoneLowSurrogateKeepsThreeBytes", L"\xDE00", "\xED\xB8\x80"},
                    WideToUtf8Case{"HighSurrogateAtEnd", L"x\xD83D", "x\xED\xA0\xBD"},
                    WideToUtf8Case{"SwappedPairStaysTwoUnits", L"\xDE00\xD83D", "\xED\xB8\x80\xED\xA0\xBD"},
                    WideToUtf8Case{"LastBmpUnit", L"\xFFFF", "\xEF\xBF\xBF"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
