#include <gtest/gtest.h>

#include <string>

#include "archive_entry_path.h"

namespace {

struct EntryCase {
    const char* label;
    std::string entry;
    std::optional<std::wstring> relative;

    friend void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.label; }
};

class EntryPathTest : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryPathTest, StaysBelowTheFolderOrIsRefused)
{
    EXPECT_EQ(EntryPathBelowFolder(GetParam().entry), GetParam().relative);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EntryPathTest,
    testing::Values(EntryCase{"PlainName", "config.json", L"config.json"},
                    EntryCase{"Subfolder", "parts\\base.stl", L"parts\\base.stl"},
                    EntryCase{"ForwardSlash", "parts/base.stl", L"parts\\base.stl"},
                    EntryCase{"NonAscii", "J\xC3\xB8rn.pst", L"J\u00F8rn.pst"},
                    EntryCase{"DotsInsideAName", "a..b.stl", L"a..b.stl"},
                    EntryCase{"Empty", "", std::nullopt},
                    EntryCase{"ParentFolder", "..\\evil.exe", std::nullopt},
                    EntryCase{"ParentFolderInside", "parts/../../evil.exe", std::nullopt},
                    EntryCase{"TrimmedToParent", "parts\\.. \\evil", std::nullopt},
                    EntryCase{"DotsTrimmedAway", "...\\evil", std::nullopt},
                    EntryCase{"CurrentFolder", ".\\base.stl", std::nullopt},
                    EntryCase{"RootedBackslash", "\\Windows\\evil.dll", std::nullopt},
                    EntryCase{"RootedSlash", "/etc/passwd", std::nullopt},
                    EntryCase{"UncPath", "\\\\server\\share\\x", std::nullopt},
                    EntryCase{"DriveAbsolute", "C:\\evil", std::nullopt},
                    EntryCase{"DriveRelative", "C:evil", std::nullopt},
                    EntryCase{"Stream", "base.stl:hidden", std::nullopt},
                    EntryCase{"DeviceName", "NUL", std::nullopt},
                    EntryCase{"DeviceWithExtension", "parts\\com1.stl", std::nullopt},
                    EntryCase{"Wildcard", "*.stl", std::nullopt},
                    EntryCase{"ControlCharacter", "a\tb", std::nullopt},
                    EntryCase{"TrailingSeparator", "parts\\", std::nullopt},
                    EntryCase{"DoubleSeparator", "parts\\\\base.stl", std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
