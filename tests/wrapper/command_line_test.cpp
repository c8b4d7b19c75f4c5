#include <gtest/gtest.h>

#include <string>

#include "command_line.h"

namespace {

using Text = std::optional<std::string>;
using Number = std::optional<int>;

struct CommandLineCase {
    const char* name;
    std::string commandLine;
    Text language;
    Text machineDirectory;
    Number unit;
    Text pipeName;
    friend void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }
};

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, ReadsEachOptionByName)
{
    const WrapperOptions options = ParseWrapperOptions(GetParam().commandLine);
    EXPECT_EQ(options.language, GetParam().language);
    EXPECT_EQ(options.machineDirectory, GetParam().machineDirectory);
    EXPECT_EQ(options.defaultUnit, GetParam().unit);
    EXPECT_EQ(options.pipeName, GetParam().pipeName);
}

const std::string kPipe = "\\\\.\\pipe\\0123456789ABCDEF0123456789ABCDEF";

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    testing::Values(
        CommandLineCase{"Empty", "", {}, {}, {}, {}},
        CommandLineCase{"AsTheAddinWritesIt",
                        " --language=\"en-US\" --machineDirectory=\"C:\\Users\\u\\AppData\\Roaming\\Torla "
                        "Pelora\\Rigsmith\\\" --defaultUnit=1 --pipeName=\"" + kPipe + "\"",
                        "en-US", "C:\\Users\\u\\AppData\\Roaming\\Torla Pelora\\Rigsmith\\", 1, kPipe},
        CommandLineCase{"AnyOrder", "--pipeName=\"p\" --defaultUnit=0 --machineDirectory=\"D:\\M\" --language=\"de\"",
                        "de", "D:\\M", 0, "p"},
        CommandLineCase{"JunkBeforeTheOptions",
                        "Files\\Torla AS\\Torla Rigsmith for Mastercam\\TorlaRigsmithWrapper.exe --language=\"fr\"",
                        "fr", {}, {}, {}},
        CommandLineCase{"EmptyQuotesReplaceTheDefault", "--language=\"\" --pipeName=\"\"", "", {}, {}, ""},
        CommandLineCase{"UnitFollowedByOtherCharacters", "--defaultUnit=1\" --defaultUnit=0", {}, {}, 1, {}},
        CommandLineCase{"UnitFollowedByABlank", "--defaultUnit=1 x", {}, {}, 1, {}},
        CommandLineCase{"UnitWithLeadingBlanks", "--defaultUnit=  1", {}, {}, 1, {}},
        CommandLineCase{"UnitStartingWithALetter", "--defaultUnit=x1", {}, {}, 0, {}},
        CommandLineCase{"UnitMissingAtTheEnd", "--defaultUnit=", {}, {}, 0, {}},
        CommandLineCase{"UnitTooLarge", "--defaultUnit=99999999999999", {}, {}, 0, {}},
        CommandLineCase{"FirstOccurrenceCounts", "--language=\"a\" --language=\"b\"", "a", {}, {}, {}},
        CommandLineCase{"KeysAreCaseSensitive", "--Language=\"a\" --PIPENAME=\"b\"", {}, {}, {}, {}},
        CommandLineCase{"UnclosedQuoteRunsToTheEnd", "--pipeName=\"\\\\.\\pipe\\x y", {}, {}, {},
                        "\\\\.\\pipe\\x y"},
        CommandLineCase{"KeyWithoutAnyQuoteIsMissing", "--language=en-US --defaultUnit=1", {}, {}, 1, {}},
        CommandLineCase{"Utf8ValuesPassUnchanged", "--machineDirectory=\"C:\\Caf\xC3\xA9\\\"", {},
                        "C:\\Caf\xC3\xA9\\", {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
