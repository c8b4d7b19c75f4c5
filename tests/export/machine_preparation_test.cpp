#include <gtest/gtest.h>

#include <json/json.h>

#include <map>
#include <string>

#include "export_test_support.h"
#include "json_document.h"
#include "machine_preparation.h"

namespace {

// A machine in a folder of its own: the document Mill.mcfg and the machine
// folder Mill beside it.
class PreparationTest : public testing::Test {
protected:
    void WriteMachine(std::string_view document, std::string_view configuration, std::string_view name = "Mill")
    {
        folder_.Write(std::string(name) + ".mcfg", document);
        folder_.Write(std::string(name) + "/config.json", configuration);
    }

    std::wstring DocumentPath(std::string_view name = "Mill") const
    {
        return folder_.Path(std::string(name) + ".mcfg");
    }

    PreparedMachine Prepare(const std::wstring& orientation = L"Don't change", std::wstring* guid = nullptr,
                            std::string_view name = "Mill")
    {
        return PrepareMachineExport(DocumentPath(name), orientation, guid);
    }

    // The machine payload's entries, checked on the way.
    std::map<std::string, std::string> MachineEntries(const PreparedMachine& prepared)
    {
        EXPECT_TRUE(prepared.ok) << prepared.failure;
        return OpenSignedFile(prepared.machinePayload);
    }

    // The prepared document as the payload carries it.
    Json::Value PreparedDocument(const PreparedMachine& prepared)
    {
        const std::string text = MachineEntries(prepared)["config.json"];
        const std::optional<Json::Value> document = ParseJsonDocument(ToBytes(text));
        EXPECT_TRUE(document) << text;
        return document.value_or(Json::Value());
    }

    PortableScratchFolder folder_;
};

constexpr char kNoModels[] = R"({ "UserConfiguration": { "Models": [] } })";

TEST_F(PreparationTest, MachineNameWithTwoDotsNamesItsFolder)
{
    WriteMachine(R"({ "MachineDefinition": { "Base": { "Geometry": { "Path": "base.stl" } } } })", kNoModels,
                 "Mill.5axis");
    folder_.Write("Mill.5axis/base.stl", "solid base");
    const PreparedMachine prepared = Prepare(L"Don't change", nullptr, "Mill.5axis");
    const auto entries = MachineEntries(prepared);
    EXPECT_EQ(entries.at("base.stl"), "solid base");
}

TEST_F(PreparationTest, BothPayloadsCarryTheSameDefinitionText)
{
    WriteMachine(R"({ "MachineDefinition": { "Base": { "Geometry": { "Path": "base.stl" } } } })", kNoModels);
    folder_.Write("Mill/base.stl", "solid base");
    const PreparedMachine prepared = Prepare();
    const auto machine = MachineEntries(prepared);
    const auto configuration = OpenSignedFile(prepared.configurationPayload);
    ASSERT_EQ(configuration.size(), 1u);
    EXPECT_EQ(configuration.at("config.json"), machine.at("config.json"));
    EXPECT_EQ(machine.size(), 2u);
}

// The text is JsonCpp's styled layout of the whole document, comments kept.
TEST_F(PreparationTest, DefinitionTextIsStyledWithCommentsKept)
{
    WriteMachine("// machine of the test\n{\n  \"MachineDefinition\": { /* kept */ \"Header\": { \"GUID\": \"OLD\" },"
                 " \"B\": [1, 2.5, \"x\", true, null, {}] } // trailing\n}\n",
                 kNoModels);
    std::wstring guid = L"NEW";
    const auto entries = MachineEntries(Prepare(L"Don't change", &guid));
    EXPECT_EQ(entries.at("config.json"), "\n// machine of the test\n{\n   \"MachineDefinition\" : {\n"
                                         "      \"B\" : [ 1, 2.5, \"x\", true, null, {} ],\n"
                                         "      /* kept */\n      \"Header\" : {\n         \"GUID\" : \"NEW\"\n"
                                         "      }\n   } // trailing\n}\n");
}

TEST_F(PreparationTest, TextEndsAtTheFirstZeroByte)
{
    WriteMachine(std::string("{ \"MachineDefinition\": {} }\0 not JSON", 37), kNoModels);
    EXPECT_TRUE(Prepare().ok);
}

TEST_F(PreparationTest, MergesGeometryOfTheFirstComponentInSearchOrder)
{
    // Members are searched in byte order of their names ("B" before "a"), each
    // object before what it holds, array elements in order.
    WriteMachine(R"({ "MachineDefinition": {
        "a": { "GUID": "G1", "Geometry": "a-old", "inner": { "GUID": "G2", "Geometry": "inner-old" } },
        "B": [ { "GUID": { "not": "text" }, "Geometry": "odd-old" }, { "GUID": "G1", "Geometry": "b-old" } ],
        "c": { "GUID": "G3", "Geometry": "c-old" },
        "d": { "GUID": "G4", "Geometry": "d-old" } } })",
                 R"({ "UserConfiguration": { "Models": [
        { "GUID": "G1", "Geometry": { "Path": "one.stl" } },
        { "GUID": "G2", "Geometry": [ { "Path": "two.stl" } ] },
        { "GUID": "G3" },
        { "GUID": "nobody", "Geometry": "lost" },
        { "GUID": "", "Geometry": "lost" },
        { "GUID": { "object": 1 }, "Geometry": "lost" },
        7,
        { "Geometry": "lost" } ] } })");
    const Json::Value definition = PreparedDocument(Prepare())["MachineDefinition"];
    EXPECT_EQ(definition["B"][1]["Geometry"]["Path"].asString(), "one.stl");
    EXPECT_EQ(definition["a"]["Geometry"].asString(), "a-old");
    EXPECT_EQ(definition["a"]["inner"]["Geometry"][0]["Path"].asString(), "two.stl");
    EXPECT_TRUE(definition["c"].isMember("Geometry"));
    EXPECT_TRUE(definition["c"]["Geometry"].isNull());
    EXPECT_EQ(definition["d"]["Geometry"].asString(), "d-old");
    EXPECT_EQ(definition["B"][0]["Geometry"].asString(), "odd-old");
}

// User configurations that assign nothing change nothing and are no failure.
TEST_F(PreparationTest, ConfigurationWithoutModelsChangesNothing)
{
    for (const char* configuration :
         {"{}", "null", "[1, 2]", "\"text\"", R"({ "UserConfiguration": "text" })", R"({ "UserConfiguration": {} })",
          R"({ "UserConfiguration": { "Models": { "GUID": "G1", "Geometry": "new" } } })"}) {
        WriteMachine(R"({ "MachineDefinition": { "a": { "GUID": "G1", "Geometry": "old" } } })", configuration);
        const PreparedMachine prepared = Prepare();
        ASSERT_TRUE(prepared.ok) << configuration;
        EXPECT_EQ(PreparedDocument(prepared)["MachineDefinition"]["a"]["Geometry"].asString(), "old") << configuration;
    }
}

TEST_F(PreparationTest, GuidIsWrittenReadOrLeftAlone)
{
    WriteMachine(R"({ "MachineDefinition": { "Header": { "GUID": "DOC-GUID", "Orientation": "Lathe" } } })",
                 kNoModels);
    std::wstring given = L"6F9619FF-8B86-D011-B42D-00C04FC964FF";
    EXPECT_EQ(PreparedDocument(Prepare(L"Don't change", &given))["MachineDefinition"]["Header"]["GUID"].asString(),
              "6F9619FF-8B86-D011-B42D-00C04FC964FF");

    std::wstring empty;
    EXPECT_EQ(PreparedDocument(Prepare(L"Don't change", &empty))["MachineDefinition"]["Header"]["GUID"].asString(),
              "DOC-GUID");
    EXPECT_EQ(empty, L"DOC-GUID");

    EXPECT_EQ(PreparedDocument(Prepare())["MachineDefinition"]["Header"]["GUID"].asString(), "DOC-GUID");
}

TEST_F(PreparationTest, OrientationIsSetOnlyByItsExactNames)
{
    WriteMachine(R"({ "MachineDefinition": { "Header": { "Orientation": "Lathe" } } })", kNoModels);
    for (const auto& [given, written] : std::map<std::wstring, std::string>{{L"Vertical", "Vertical"},
                                                                            {L"Horizontal", "Horizontal"},
                                                                            {L"Lathe", "Lathe"},
                                                                            {L"vertical", "Lathe"},
                                                                            {L"Vertical ", "Lathe"},
                                                                            {L"Don't change", "Lathe"}}) {
        const Json::Value header = PreparedDocument(Prepare(given))["MachineDefinition"]["Header"];
        EXPECT_EQ(header["Orientation"].asString(), written);
    }
}

TEST_F(PreparationTest, MissingHeaderIsMadeWhenSomethingIsSet)
{
    WriteMachine(R"({ "MachineDefinition": { } })", kNoModels);
    std::wstring guid = L"G";
    const Json::Value header = PreparedDocument(Prepare(L"Horizontal", &guid))["MachineDefinition"]["Header"];
    EXPECT_EQ(header["GUID"].asString(), "G");
    EXPECT_EQ(header["Orientation"].asString(), "Horizontal");
    EXPECT_EQ(header.size(), 2u);
    // Asked for nothing, the header made on the way stays null in the text.
    const Json::Value untouched = PreparedDocument(Prepare())["MachineDefinition"];
    EXPECT_TRUE(untouched.isMember("Header"));
    EXPECT_TRUE(untouched["Header"].isNull());
}

TEST_F(PreparationTest, GeometryIsLookedUpInTheMachineFolderThenBesideTheDocument)
{
    WriteMachine(R"({ "MachineDefinition": {
        "a": { "Geometry": { "Path": "parts\\base.stl" } },
        "b": { "Geometry": { "Path": "parts\\beside.stl" } },
        "c": { "Geometry": [ { "Path": "parts\\base.stl" }, { "Path": "missing.stl" } ] },
        "d": { "Geometry": { "Path": "config.json" } },
        "e": { "Geometry": { "Path": "empty.stl" } },
        "f": { "Geometry": { "Path": { "not": "text" } } } } })",
                 R"({ "UserConfiguration": { "Models": [] }, "note": "the user configuration itself" })");
    folder_.Write("Mill/parts/base.stl", "in the machine folder");
    folder_.Write("parts/base.stl", "beside the document");
    folder_.Write("parts/beside.stl", "only beside the document");
    folder_.Write("Mill/empty.stl", "");
    const PreparedMachine prepared = Prepare();
    const auto entries = MachineEntries(prepared);

    EXPECT_EQ(entries.at("parts\\base.stl"), "in the machine folder");
    EXPECT_EQ(entries.at("parts\\beside.stl"), "only beside the document");
    EXPECT_EQ(entries.at("empty.stl"), "");
    EXPECT_FALSE(entries.contains("missing.stl"));
    EXPECT_EQ(entries.at("config.json").find("the user configuration itself"), std::string::npos);
    EXPECT_NE(entries.at("config.json").find("MachineDefinition"), std::string::npos);
    EXPECT_EQ(entries.size(), 4u); // each file once, whatever refers to it twice
}

struct FailureCase {
    const char* label;
    std::string document;      // "-" for none
    std::string configuration; // "-" for none

    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.label; }
};

class PreparationFailureTest : public PreparationTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(PreparationFailureTest, FailsCleanly)
{
    if (GetParam().document != "-") {
        folder_.Write("Mill.mcfg", GetParam().document);
    }
    if (GetParam().configuration != "-") {
        folder_.Write("Mill/config.json", GetParam().configuration);
    }
    std::wstring guid;
    const PreparedMachine prepared = Prepare(L"Vertical", &guid);
    EXPECT_FALSE(prepared.ok);
    EXPECT_TRUE(prepared.machinePayload.empty());
    EXPECT_TRUE(prepared.configurationPayload.empty());
    EXPECT_FALSE(prepared.failure.empty());
}

const std::string kDefinition = R"({ "MachineDefinition": { "Header": { "GUID": "G" } } })";

INSTANTIATE_TEST_SUITE_P(
    Table, PreparationFailureTest,
    testing::Values(
        FailureCase{"NoDocument", "-", kNoModels}, FailureCase{"EmptyDocument", "", kNoModels},
        FailureCase{"DocumentNotJson", "{ \"MachineDefinition\": ", kNoModels},
        FailureCase{"DocumentRootIsArray", "[ { \"MachineDefinition\": {} } ]", kNoModels},
        FailureCase{"DocumentRootIsNull", "null", kNoModels},
        FailureCase{"NoDefinition", "{ \"Other\": {} }", kNoModels},
        FailureCase{"DefinitionIsNull", "{ \"MachineDefinition\": null }", kNoModels},
        FailureCase{"DefinitionIsArray", "{ \"MachineDefinition\": [ {} ] }", kNoModels},
        FailureCase{"DefinitionIsText", "{ \"MachineDefinition\": \"x\" }", kNoModels},
        FailureCase{"HeaderIsText", "{ \"MachineDefinition\": { \"Header\": \"x\" } }", kNoModels},
        FailureCase{"HeaderIsArray", "{ \"MachineDefinition\": { \"Header\": [] } }", kNoModels},
        FailureCase{"GuidToReadIsObject", "{ \"MachineDefinition\": { \"Header\": { \"GUID\": {} } } }", kNoModels},
        FailureCase{"NestedTooDeep", "{ \"MachineDefinition\": " + std::string(5000, '[') + std::string(5000, ']') + "}",
                    kNoModels},
        FailureCase{"NoConfiguration", kDefinition, "-"}, FailureCase{"EmptyConfiguration", kDefinition, ""},
        FailureCase{"ConfigurationNotJson", kDefinition, "{ \"UserConfiguration\": "}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace
