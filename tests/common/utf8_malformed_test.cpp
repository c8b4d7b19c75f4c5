#include <gtest/gtest.h>

#include <string>

#include "text_encoding.h"

// Malformed UTF-8 decodes the same on both builds: the system's decoder on
// Windows, the portable one in the native build. (How many U+FFFD stand for a
// longer bad sequence differs between decoders; nothing depends on it.)
namespace {

struct MalformedCase {
    const char* name;
    std::string utf8;
    std::wstring wide;

    friend void PrintTo(const MalformedCase& c, std::ostream* os) { *os << c.name; }
};

class Utf8MalformedTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(Utf8MalformedTest, ReplacesEachBadSequenceOnce)
{
    EXPECT_EQ(Utf8ToWide(GetParam().utf8), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Utf8MalformedTest,
    testing::Values(MalformedCase{"ThreeBytes", "a\xE2\x82\xAC" "b", L"a\u20ACb"},
                    MalformedCase{"LoneContinuation", "a\x80" "b", L"a\xFFFD" L"b"},
                    MalformedCase{"OverlongSlash", "\xC0\xAF", L"\xFFFD\xFFFD"},
                    MalformedCase{"CutThreeByteSequence", "\xE2\x82" "b", L"\xFFFD" L"b"},
                    MalformedCase{"FiveByteLead", "\xF8\x88\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
