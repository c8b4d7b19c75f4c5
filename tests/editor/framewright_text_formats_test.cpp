// The stand-in editor's text formats: the call log that host tests read, the
// scripts they write, and the STL path lists the host answers with.
#include <gtest/gtest.h>

#include "editor_script.h"
#include "framewright_log_format.h"
#include "stl_path_list.h"

namespace {

struct EncodingCase {
    const char* name;
    std::string bytes;
    std::string encoded;
};

TEST(CallLogFormatTest, ValuesKeepEveryByteAndNeverBreakTheLine)
{
    const std::vector<EncodingCase> cases{
        {"path with blanks, '=' and ';'", "C:\\a b\\x=1;y.stl", "C:\\a b\\x=1;y.stl"},
        {"line breaking characters", "a\tb\r\nc", "a%09b%0D%0Ac"},
        {"percent sign and DEL", "100%\x7F", "100%25%7F"},
        {"well-formed UTF-8 stays readable", "M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x98\x80", "M\xC3\xBCller \xE2\x82\xAC \xF0\x9F\x98\x80"},
        {"code page byte", "M\xFCller", "M%FCller"},
        {"overlong form", "\xC0\x80", "%C0%80"},
        {"encoded surrogate", "\xED\xA0\x80", "%ED%A0%80"},
        {"sequence cut short at the end", "a\xE2\x82", "a%E2%82"},
        {"continuation byte alone", "\x80z", "%80z"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "%F4%90%80%80"},
        {"NUL", std::string("a\0b", 3), "a%00b"},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EncodeLogValue(c.bytes), c.encoded);
        EXPECT_EQ(DecodeLogValue(c.encoded), c.bytes);
    }
    EXPECT_EQ(DecodeLogValue("50%;%4"), "50%;%4");
    EXPECT_EQ(DecodeLogValue("%4a%4A"), "JJ");
}

TEST(CallLogFormatTest, RecordsReadBackAsWritten)
{
    FramewrightLogRecord first{"RunFramewright", {}};
    first.Add("machineDirectory", "C:\\M\xFC\tller\\").Add("arg3", "").Add("note", "a=b");
    FramewrightLogRecord second{"RunFramewrightReturns", {}};
    second.Add("reason", "close");
    FramewrightLogRecord bare{"Close", {}};

    const std::string log = FormatFramewrightLogRecord(first) + "\r\n\n" + FormatFramewrightLogRecord(bare) + "\n" +
                            FormatFramewrightLogRecord(second);
    EXPECT_EQ(FormatFramewrightLogRecord(second), "RunFramewrightReturns\treason=close");

    const auto records = ParseFramewrightLog(log);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].event, "RunFramewright");
    EXPECT_EQ(records[0].fields, first.fields);
    EXPECT_EQ(records[0].Field("arg3"), "");
    EXPECT_EQ(records[0].Field("missing"), std::nullopt);
    EXPECT_EQ(records[1].event, "Close");
    EXPECT_TRUE(records[1].fields.empty());
    EXPECT_EQ(records[2].fields, second.fields);
}

TEST(EditorScriptTest, ReadsActionsWithTabSeparatedArgumentsTakenLiterally)
{
    const auto script = ParseEditorScript("\xEF\xBB\xBF# set up\r\n"
                                          "request-geometry\r\n"
                                          "\r\n"
                                          "assign-geometry\t C:\\My Machines\\Mill 5.mcfg \tAE6A818A\n"
                                          "export\tC:\\Fr\xC3\xA4s.mcfg\n"
                                          "close");
    ASSERT_EQ(script.error, "");
    ASSERT_EQ(script.actions.size(), 4u);
    EXPECT_EQ(script.actions[0].kind, ScriptActionKind::RequestGeometry);
    EXPECT_EQ(script.actions[0].line, 2);
    EXPECT_EQ(script.actions[1].kind, ScriptActionKind::AssignGeometry);
    EXPECT_EQ(script.actions[1].arguments,
              (std::vector<std::string>{" C:\\My Machines\\Mill 5.mcfg ", "AE6A818A"}));
    EXPECT_EQ(script.actions[1].line, 4);
    EXPECT_EQ(script.actions[2].kind, ScriptActionKind::Export);
    EXPECT_EQ(script.actions[2].arguments, std::vector<std::string>{"C:\\Fr\xC3\xA4s.mcfg"});
    EXPECT_EQ(script.actions[3].kind, ScriptActionKind::Close);
    EXPECT_TRUE(ParseEditorScript("").actions.empty());
}

TEST(EditorScriptTest, RefusesTheWholeScriptForOneBadLine)
{
    const std::vector<std::pair<std::string, int>> cases{
        {"close\nClose\n", 2},
        {"request-geometry\nexport\n", 2},
        {"export\ta\tb\n", 1},
        {"assign-geometry\tC:\\m.mcfg\t\n", 1},
        {" close\n", 1},
    };
    for (const auto& [text, line] : cases) {
        SCOPED_TRACE(text);
        const auto script = ParseEditorScript(text);
        EXPECT_NE(script.error, "");
        EXPECT_EQ(script.errorLine, line);
        EXPECT_TRUE(script.actions.empty());
    }
}

TEST(StlPathListTest, SplitsEntriesAndTakesOnlyATrailingColourAsColour)
{
    const auto entries = ParseStlPathList(";C:\\w\\Level 1.stl@0x00ff00;;C:\\me@home\\a.stl;b.stl@0x00FF0;"
                                          "c.stl@0x00ff001;d.stl@0X00ff00;e@x.stl@0xABCDEF;@0x123456;");
    std::vector<std::pair<std::string, std::string>> parsed;
    for (const StlPathEntry& entry : entries) {
        parsed.emplace_back(entry.path, entry.colour);
    }
    EXPECT_EQ(parsed, (std::vector<std::pair<std::string, std::string>>{
                          {"C:\\w\\Level 1.stl", "0x00ff00"},
                          {"C:\\me@home\\a.stl", ""},
                          {"b.stl@0x00FF0", ""},
                          {"c.stl@0x00ff001", ""},
                          {"d.stl@0X00ff00", ""},
                          {"e@x.stl", "0xABCDEF"},
                      }));
    EXPECT_TRUE(ParseStlPathList("").empty());
}

} // namespace
