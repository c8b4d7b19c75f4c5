#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "build_tree.h"
#include "child_process.h"
#include "export_test_support.h"
#include "framewright_environment.h"
#include "json_document.h"
#include "scratch_folder.h"
#include "text_encoding.h"
#include "window_driver.h"
#include "wrapper_resource.h"

namespace {

namespace fs = std::filesystem;

constexpr char kOriginalGuid[] = "EC474930-B25B-4256-915A-CA0C0A97CC7F";

// The editor (scripted) exports a generic machine; the user fills the export
// dialog of the editor host program and presses OK.
TEST(ExportEndToEnd, EditorExportBecomesAVerifiedBundleWithTheDialogsGuid)
{
    ScratchFolder scratch;
    const fs::path machines = scratch.MakeFolder(L"Machines");
    fs::copy(DistFile("Generic Machines"), machines, fs::copy_options::recursive);
    const fs::path document = machines / L"Generic 3-Axis Mill.mcfg";
    const fs::path bundle = fs::path(scratch.Path()) / L"out" / L"Generic 3-Axis Mill.TorlaSimBundle";

    const std::wstring temp = scratch.MakeFolder(L"Temp");
    ScopedEnvironmentVariable tempVariable(L"TEMP", temp);
    ScopedEnvironmentVariable tmpVariable(L"TMP", temp);
    ScopedEnvironmentVariable appData(L"APPDATA", scratch.MakeFolder(L"Roaming"));
    const std::wstring script =
        scratch.WriteFile(L"script.txt", "export\t" + WideToUtf8(document.wstring()) + "\nclose\n");
    ScopedEnvironmentVariable scriptVariable(kFramewrightScriptVariable, script);
    ScopedEnvironmentVariable logVariable(kFramewrightLogVariable, scratch / L"calls.log");

    ChildProcess wrapper(DistFile("TorlaRigsmithWrapper.exe").wstring(), L"");
    ASSERT_TRUE(wrapper.Started());
    HWND dialog = WaitForWindow(L"Export", wrapper.Id(), 30000, L"#32770");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_EXPORT_BUNDLE_PATH)), L"");
    const std::wstring output = bundle.wstring();
    ::SendMessageW(::GetDlgItem(dialog, IDC_EXPORT_BUNDLE_PATH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(output.c_str()));
    PressButton(dialog, IDOK);
    HWND box = WaitForOwnedDialog(dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Success!");
    PressButton(box, IDOK);
    EXPECT_EQ(wrapper.WaitForExit(), std::optional<DWORD>(0));

    ASSERT_TRUE(fs::exists(bundle));
    ChildProcess inspect(DistFile("rigsmith.exe").wstring(), L"inspect \"" + output + L"\"");
    EXPECT_EQ(inspect.WaitForExit(), std::optional<DWORD>(0)) << "rigsmith inspect verifies every signature";

    std::ifstream in(bundle, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto entries = OpenSignedFile(ToBytes(bytes));
    ASSERT_EQ(entries.size(), 2u);
    const auto payload = OpenSignedFile(ToBytes(entries.at("Generic 3-Axis Mill.TorlaSim")));
    for (const char* geometry : {"base.stl", "column.stl", "vise.stl", "spindle.stl"}) {
        EXPECT_EQ(payload.count(geometry), 1u) << geometry;
    }
    const auto definition = ParseJsonDocument(ToBytes(payload.at("config.json")));
    ASSERT_TRUE(definition);
    const std::string guid = (*definition)["MachineDefinition"]["Header"]["GUID"].asString();
    EXPECT_EQ(guid.size(), 36u);
    EXPECT_NE(guid, kOriginalGuid) << "the export's own GUID replaces the document's";
    EXPECT_EQ(OpenSignedFile(ToBytes(entries.at("Generic 3-Axis Mill.TorlaSimCfg"))).at("config.json"),
              payload.at("config.json"));
    // The geometry assigned in the machine's user configuration is merged in.
    EXPECT_NE(payload.at("config.json").find("vise.stl"), std::string::npos);
}

} // namespace
