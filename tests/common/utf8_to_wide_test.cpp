#include <gtest/gtest.h>

#include <string>

#include "text_encoding.h"

namespace {

struct Utf8ToWideCase {
    const char* name;
    std::string utf8;
    std::wstring wide;
};

class Utf8ToWideTest : public testing::TestWithParam<Utf8ToWideCase> {};

TEST_P(Utf8ToWideTest, DecodesWithReplacement)
{
    EXPECT_EQ(Utf8ToWide(GetParam().utf8), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8ToWideTest,
    testing::Values(Utf8ToWideCase{"Empty", "", L""}, Utf8ToWideCase{"Ascii", "Need stl path", L"Need stl path"},
                    Utf8ToWideCase{"TwoBytes", "\xC3\xA9", L"\u00E9"},
                    Utf8ToWideCase{"FourBytesBecomePair", "\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
                    Utf8ToWideCase{"InvalidByte", "\xFF", L"\xFFFD"},
                    Utf8ToWideCase{"TruncatedSequence", "a\xC3", L"a\xFFFD"},
                    Utf8ToWideCase{"EmbeddedNulKept", std::string("a\0b", 3), std::wstring(L"a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextEncodingRoundTrip, PathOutsideTheBasicPlaneSurvives)
{
    const std::wstring path = L"C:\\Users\\J\u00F8rn\\\xD83D\xDE00 parts\\base.stl";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(path)), path);
}

} // namespace
