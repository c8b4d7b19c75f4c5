// The generic machines as installed: documents, machine folders, user
// configurations and STL files must fit together, or their export breaks.
#include <gtest/gtest.h>

#include <json/json.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "editor_test_support.h"

namespace fs = std::filesystem;

namespace {

struct GenericMachine {
    const wchar_t* name;
    const char* guid;
    const char* orientation;
    std::vector<std::string> componentGuids; // sorted
};

const std::vector<GenericMachine> kMachines{
    {L"Generic 3-Axis Mill",
     "EC474930-B25B-4256-915A-CA0C0A97CC7F",
     "Vertical",
     {"225CD492-163B-4F65-AAEB-D715C45222C4", "36317F13-C129-407C-9817-8F6452A9CE6E",
      "98D535BF-08F5-4438-BF8B-3A691CF48618", "AE6A818A-96C9-4916-8FC4-75E597499D77",
      "DB2CC893-C744-4A03-B5FE-9C636D8C0FC5", "E399064B-F074-4C40-833F-3E9967C3BF24",
      "F32A9965-4EF5-4FC9-AB51-2328B9DD4AC1"}},
    {L"Generic 2-Axis Lathe",
     "A15D7465-A82D-4784-A2A3-65915D89D001",
     "Lathe",
     {"022CE40D-428E-41FB-972C-BB0C5457F1C8", "1167D211-40AA-4F90-A4EC-8AD261CA4740",
      "15EEC300-D126-4270-A14F-91E9DA3CE4B5", "2056554E-3CF2-40AC-BFC4-20791F1324D2",
      "2B764181-6E41-4F24-9F40-B94B64EBA0E8", "80DA2ADC-625C-4237-A52C-8A3C02535C94"}},
};

Json::Value ParseWithComments(const std::string& text)
{
    Json::Value root;
    std::string errors;
    const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
    EXPECT_TRUE(reader->parse(text.data(), text.data() + text.size(), &root, &errors)) << errors;
    return root;
}

// Objects with a text "GUID" and a "Geometry" member, and every "Path" text, anywhere in the tree.
void Collect(const Json::Value& value, std::vector<std::string>& componentGuids, std::vector<std::string>& paths)
{
    if (value.isObject()) {
        if (value["GUID"].isString() && value.isMember("Geometry")) {
            componentGuids.push_back(value["GUID"].asString());
        }
        if (value.isMember("Path")) {
            paths.push_back(value["Path"].asString());
        }
    }
    if (value.isObject() || value.isArray()) {
        for (const Json::Value& child : value) {
            Collect(child, componentGuids, paths);
        }
    }
}

void ExpectBinaryStl(const fs::path& path)
{
    const std::string bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 84u) << path;
    std::uint32_t facets = 0;
    std::memcpy(&facets, bytes.data() + 80, 4);
    EXPECT_GT(facets, 0u) << path;
    EXPECT_EQ(bytes.size(), 84u + 50u * facets) << path;
    EXPECT_NE(bytes.compare(0, 5, "solid"), 0) << path << ": a binary header must not look like ASCII STL";
}

TEST(GenericMachinesTest, DocumentsFoldersAndGeometryFitTogether)
{
    const fs::path folder = BuildTreeFile(RIGSMITH_DIST_FROM_TESTS "/Generic Machines");
    for (const GenericMachine& machine : kMachines) {
        SCOPED_TRACE(Utf8Path(machine.name));
        const fs::path machineFolder = folder / machine.name;
        const Json::Value document = ParseWithComments(ReadBytes(folder / (std::wstring(machine.name) + L".mcfg")));
        const Json::Value& definition = document["MachineDefinition"];
        ASSERT_TRUE(definition.isObject());
        EXPECT_EQ(definition["Header"]["GUID"], machine.guid);
        EXPECT_EQ(definition["Header"]["Orientation"], machine.orientation);

        std::vector<std::string> components;
        std::vector<std::string> paths;
        Collect(definition, components, paths);
        std::sort(components.begin(), components.end());
        EXPECT_EQ(components, machine.componentGuids);

        const Json::Value configuration = ParseWithComments(ReadBytes(machineFolder / L"config.json"));
        const Json::Value& models = configuration["UserConfiguration"]["Models"];
        ASSERT_TRUE(models.isArray());
        ASSERT_FALSE(models.empty());
        for (const Json::Value& model : models) {
            EXPECT_TRUE(std::binary_search(components.begin(), components.end(), model["GUID"].asString()))
                << model["GUID"];
            std::vector<std::string> ignored;
            Collect(model["Geometry"], ignored, paths);
        }
        for (const std::string& path : paths) {
            ExpectBinaryStl(machineFolder / fs::u8path(path));
        }
    }
}

} // namespace
