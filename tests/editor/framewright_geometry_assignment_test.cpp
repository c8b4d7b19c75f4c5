// assign-geometry: what the user does in the editor after a geometry request.
// The export later reads exactly these files and config.json.
#include <gtest/gtest.h>

#include <json/json.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "scripted_editor_fixture.h"

namespace fs = std::filesystem;

namespace {

constexpr char kFixtureGuid[] = "98D535BF-08F5-4438-BF8B-3A691CF48618";
constexpr char kStockGuid[] = "DB2CC893-C744-4A03-B5FE-9C636D8C0FC5";
constexpr char kSpindleGuid[] = "225CD492-163B-4F65-AAEB-D715C45222C4";

Json::Value ParseJson(const std::string& text)
{
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors << "\n" << text;
    return root;
}

Json::Value Geometry(std::initializer_list<std::pair<const char*, const char*>> files)
{
    Json::Value geometry(Json::arrayValue);
    for (const auto& [path, colour] : files) {
        Json::Value item;
        item["Path"] = path;
        item["Colour"] = colour;
        geometry.append(item);
    }
    return geometry;
}

Json::Value Model(const char* guid, const Json::Value& geometry)
{
    Json::Value model;
    model["GUID"] = guid;
    model["Geometry"] = geometry;
    return model;
}

std::vector<std::string> FileNamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(Utf8Path(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

class GeometryAssignmentTest : public ScriptedEditorTest {
protected:
    void SetUp() override
    {
        ScriptedEditorTest::SetUp();
        fs::create_directories(workFolder_);
    }

    // A file the host wrote (or the user picked), as the answer names it.
    std::string HostFile(const std::wstring& name, const std::string& bytes, const fs::path& folder = {})
    {
        const fs::path path = (folder.empty() ? workFolder_ : folder) / name;
        fs::create_directories(path.parent_path());
        WriteBytes(path, bytes);
        return Utf8Path(path);
    }

    static std::string AssignLine(const fs::path& document, const char* guid)
    {
        return "assign-geometry\t" + Utf8Path(document) + "\t" + guid + "\n";
    }

    fs::path workFolder_ = ScratchPath(L"Rigsmith 2");
};

TEST_F(GeometryAssignmentTest, CopiesTheAnsweredFilesAndRecordsTheModel)
{
    // A dot in the machine name: only the extension is cut off for the folder.
    const fs::path document = ScratchPath(L"Shop Mill.v2.mcfg");
    const fs::path machineFolder = ScratchPath(L"Shop Mill.v2");
    WriteBytes(document, "{ \"MachineDefinition\" : {} }");
    const std::string answer = HostFile(L"Level 1.stl", "level bytes") + "@0x00ff00;" +
                               HostFile(L"Selection.stl", "selection bytes") + "@0x0000FF;;" +
                               HostFile(L"Schraubstock \u00e4.stl", "vise bytes", ScratchPath(L"picked parts"));
    g_geometryBehaviour = Answer(answer);

    const auto records = RunScript("request-geometry\n" + AssignLine(document, kFixtureGuid) + "close\n");

    const auto assignment = RecordOf(records, "AssignGeometry");
    EXPECT_EQ(assignment.Field("result"), "ok") << assignment.Field("message").value_or("");
    EXPECT_EQ(assignment.Field("machine"), Utf8Path(document));
    EXPECT_EQ(assignment.Field("component"), kFixtureGuid);
    EXPECT_EQ(assignment.Field("files"), "Level 1.stl;Selection.stl;Schraubstock \xC3\xA4.stl");

    EXPECT_EQ(ReadBytes(machineFolder / L"Level 1.stl"), "level bytes");
    EXPECT_EQ(ReadBytes(machineFolder / L"Selection.stl"), "selection bytes");
    EXPECT_EQ(ReadBytes(machineFolder / L"Schraubstock \u00e4.stl"), "vise bytes");

    Json::Value expected;
    expected["UserConfiguration"]["Models"].append(
        Model(kFixtureGuid, Geometry({{"Level 1.stl", "0x00ff00"},
                                      {"Selection.stl", "0x0000FF"},
                                      {"Schraubstock \xC3\xA4.stl", "0x808080"}})));
    EXPECT_EQ(ParseJson(ReadBytes(machineFolder / L"config.json")), expected);
}

TEST_F(GeometryAssignmentTest, ReassignmentReplacesTheModelAndNeverOverwritesAnotherComponentsFile)
{
    const fs::path document = ScratchPath(L"Mill.mcfg");
    const fs::path machineFolder = ScratchPath(L"Mill");
    fs::create_directories(machineFolder);
    WriteBytes(machineFolder / L"Level 1.stl", "stock bytes");
    WriteBytes(machineFolder / L"config.json", std::string(R"(// kept by the editor
{
   "UserConfiguration" : {
      "Models" : [
         { "GUID" : ")") + kStockGuid + R"(", "Geometry" : [ { "Path" : "Level 1.stl", "Colour" : "0x111111" } ] },
         { "GUID" : ")" + kFixtureGuid + R"(", "Geometry" : [ { "Path" : "old.stl", "Colour" : "0x222222" } ] },
         { "GUID" : ")" + kFixtureGuid + R"(", "Geometry" : null },
         "not a model"
      ],
      "Units" : "mm"
   },
   "Version" : 3
})");
    g_geometryBehaviour = Answer(HostFile(L"Level 1.stl", "fixture bytes") + "@0x00ff00");

    const auto records = RunScript("request-geometry\n" + AssignLine(document, kFixtureGuid) +
                                   AssignLine(document, kSpindleGuid) + "close\n");

    EXPECT_EQ(ReadBytes(machineFolder / L"Level 1.stl"), "stock bytes");
    EXPECT_EQ(ReadBytes(machineFolder / L"Level 1 (2).stl"), "fixture bytes");
    // The second assignment finds the same bytes under the new name and takes them.
    EXPECT_EQ(FileNamesIn(machineFolder), (std::vector<std::string>{"Level 1 (2).stl", "Level 1.stl", "config.json"}));

    const Json::Value configuration = ParseJson(ReadBytes(machineFolder / L"config.json"));
    Json::Value models(Json::arrayValue);
    models.append(Model(kStockGuid, Geometry({{"Level 1.stl", "0x111111"}})));
    models.append(Model(kFixtureGuid, Geometry({{"Level 1 (2).stl", "0x00ff00"}})));
    models.append("not a model");
    models.append(Model(kSpindleGuid, Geometry({{"Level 1 (2).stl", "0x00ff00"}})));
    EXPECT_EQ(configuration["UserConfiguration"]["Models"], models);
    EXPECT_EQ(configuration["UserConfiguration"]["Units"], "mm");
    EXPECT_EQ(configuration["Version"], 3);
    EXPECT_EQ(EventsOf(records), (std::vector<std::string>{"SetCreateSTLFunc", "SetExportFunc",
                                                           "SetPreconfiguredMachineDirectory", "RunFramewright",
                                                           "GeometryCallback", "AssignGeometry", "AssignGeometry",
                                                           "RunFramewrightReturns"}));
}

enum class AnswerKind { ExistingFile, MissingFile, ExistingAndMissingFile, Empty, Unterminated };

struct RefusedAssignment {
    const char* name;
    const char* configuration; // null: the machine folder holds no config.json
    AnswerKind answer;
    const char* message;
};

TEST_F(GeometryAssignmentTest, ARefusedAssignmentLeavesTheMachineFolderAsItWas)
{
    const char* validConfiguration = R"({ "UserConfiguration" : { "Models" : [] } })";
    const std::vector<RefusedAssignment> cases{
        {"answered file missing", validConfiguration, AnswerKind::MissingFile, "cannot read"},
        {"one of two answered files missing", validConfiguration, AnswerKind::ExistingAndMissingFile, "cannot read"},
        {"empty answer", validConfiguration, AnswerKind::Empty, "names no file"},
        {"unterminated answer", nullptr, AnswerKind::Unterminated, "names no file"},
        {"config.json not JSON", "{ \"UserConfiguration\" : ", AnswerKind::ExistingFile, "not a JSON object"},
        {"Models not an array", R"({ "UserConfiguration" : { "Models" : {} } })", AnswerKind::ExistingFile,
         "not an array"},
        {"UserConfiguration not an object", R"({ "UserConfiguration" : [] })", AnswerKind::ExistingFile,
         "not an object"},
    };
    const std::string existing = HostFile(L"Level 1.stl", "level bytes") + "@0x00ff00";
    const std::string missing = Utf8Path(workFolder_ / L"gone.stl");
    int number = 0;
    for (const RefusedAssignment& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(logPath_);
        const std::wstring machine = L"Machine " + std::to_wstring(++number);
        const fs::path machineFolder = ScratchPath(machine);
        fs::create_directories(machineFolder);
        if (c.configuration != nullptr) {
            WriteBytes(machineFolder / L"config.json", c.configuration);
        }
        switch (c.answer) {
        case AnswerKind::ExistingFile: g_geometryBehaviour = Answer(existing); break;
        case AnswerKind::MissingFile: g_geometryBehaviour = Answer(missing); break;
        case AnswerKind::ExistingAndMissingFile: g_geometryBehaviour = Answer(existing + ";" + missing); break;
        case AnswerKind::Empty: g_geometryBehaviour = Answer(""); break;
        case AnswerKind::Unterminated: g_geometryBehaviour = [](char*) {}; break;
        }

        const auto records =
            RunScript("request-geometry\n" + AssignLine(ScratchPath(machine + L".mcfg"), kFixtureGuid) + "close\n");

        const auto assignment = RecordOf(records, "AssignGeometry");
        EXPECT_EQ(assignment.Field("result"), "failed");
        EXPECT_NE(assignment.Field("message").value_or("").find(c.message), std::string::npos)
            << assignment.Field("message").value_or("<none>");
        EXPECT_EQ(assignment.Field("files"), std::nullopt);
        if (c.configuration != nullptr) {
            EXPECT_EQ(FileNamesIn(machineFolder), std::vector<std::string>{"config.json"});
            EXPECT_EQ(ReadBytes(machineFolder / L"config.json"), c.configuration);
        } else {
            EXPECT_TRUE(fs::is_empty(machineFolder));
        }
        EXPECT_EQ(RecordOf(records, "RunFramewrightReturns").Field("reason"), "close");
    }
}

} // namespace
