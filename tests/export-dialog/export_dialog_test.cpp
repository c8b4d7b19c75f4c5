#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "browse_edit.h"
#include "export_dialog.h"
#include "export_test_support.h"
#include "json_document.h"
#include "sample_machine.h"
#include "scratch_folder.h"
#include "text_encoding.h"
#include "window_driver.h"
#include "wrapper_resource.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWineIconId = 0x0440;
constexpr int kWindowsIconId = 20;

// What a message box showed: its text and whether it had an icon.
struct ShownMessage {
    std::wstring text;
    bool icon = false;
};

// Drives the export dialog of this process from a second thread while the
// test thread runs it modally, the way a user would: through its controls.
class ExportDialogDriver {
public:
    HWND dialog = nullptr;

    HWND Item(int id) const { return ::GetDlgItem(dialog, id); }
    int TargetCount() const { return static_cast<int>(::SendMessageW(Item(IDC_EXPORT_TARGET), CB_GETCOUNT, 0, 0)); }
    int SelectedTarget() const
    {
        return static_cast<int>(::SendMessageW(Item(IDC_EXPORT_TARGET), CB_GETCURSEL, 0, 0));
    }
    void SelectTarget(int index) const
    {
        ::SendMessageW(Item(IDC_EXPORT_TARGET), CB_SETCURSEL, index, 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPORT_TARGET, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_EXPORT_TARGET)));
    }
    bool Visible(int id) const { return ::IsWindowVisible(Item(id)) != FALSE; }
    std::wstring Text(int id) const { return WindowText(Item(id)); }
    void SetText(int id, const std::wstring& text) const
    {
        ::SendMessageW(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Presses OK and reads the message box that follows, then closes it.
    ShownMessage PressOkAndReadMessage() const
    {
        PressButton(dialog, IDOK);
        ShownMessage shown;
        if (HWND box = WaitForOwnedDialog(dialog)) {
            shown.text = MessageBoxText(box);
            for (int id : {kWineIconId, kWindowsIconId}) {
                HWND icon = ::GetDlgItem(box, id);
                shown.icon = shown.icon || (icon != nullptr && ::IsWindowVisible(icon) &&
                                            ::SendMessageW(icon, STM_GETICON, 0, 0) != 0);
            }
            PressButton(box, IDOK);
        }
        return shown;
    }
};

// Runs the dialog for a machine document; `script` acts on it and must end it.
INT_PTR RunExportDialog(ExportDialog& dialog, const std::function<void(ExportDialogDriver&)>& script)
{
    std::thread user([&] {
        ExportDialogDriver driver;
        driver.dialog = WaitForWindow(L"Export", ::GetCurrentProcessId(), 20000, L"#32770");
        if (driver.dialog == nullptr) {
            ADD_FAILURE() << "the export dialog did not appear";
            return;
        }
        script(driver);
        if (::IsWindow(driver.dialog)) {
            PressButton(driver.dialog, IDCANCEL);
        }
    });
    const INT_PTR result = dialog.DoModal(::GetDesktopWindow());
    user.join();
    return result;
}

class ExportDialogTest : public testing::Test {
protected:
    PortableScratchFolder scratch_;
    std::wstring roaming_ = scratch_.Path("Roaming");
    ScopedEnvironmentVariable appData_{L"APPDATA", roaming_};
    std::wstring machine_ = WriteSampleMachine(scratch_);
    std::string machineUtf8_ = WideToUtf8(machine_);

    void MakeSimulatorFolder() const { fs::create_directories(fs::path(roaming_) / L"Torla Pelora" / L"MachineCfg"); }
    std::wstring Out(const std::string& relative) const { return scratch_.Path(relative); }
};

TEST_F(ExportDialogTest, WithoutTheSimulatorOnlyTheBundleIsOffered)
{
    ExportDialog dialog(machineUtf8_);
    RunExportDialog(dialog, [](ExportDialogDriver& d) {
        EXPECT_EQ(d.TargetCount(), 1);
        EXPECT_EQ(d.SelectedTarget(), 0);
        EXPECT_TRUE(d.Visible(IDC_EXPORT_BUNDLE_PATH));
        EXPECT_TRUE(d.Visible(IDC_EXPORT_SAVE_AS_LABEL));
        EXPECT_TRUE(d.Visible(IDC_EXPORT_POST_PATH));
        EXPECT_EQ(d.Text(IDC_EXPORT_DESCRIPTION),
                  L"Create a bundle file that can be installed in Torla Pelora on any PC.\r\n"
                  L"Torla Pelora Setup -> Machine Installer -> Custom Machine.");
    });
}

TEST_F(ExportDialogTest, WithTheSimulatorInstallingIsChosenAndTargetsSwitchTheFields)
{
    MakeSimulatorFolder();
    ExportDialog dialog(machineUtf8_);
    RunExportDialog(dialog, [](ExportDialogDriver& d) {
        EXPECT_EQ(d.TargetCount(), 2);
        EXPECT_EQ(d.SelectedTarget(), 1);
        EXPECT_FALSE(d.Visible(IDC_EXPORT_BUNDLE_PATH));
        EXPECT_FALSE(d.Visible(IDC_EXPORT_SAVE_AS_LABEL));
        EXPECT_TRUE(d.Visible(IDC_EXPORT_POST_LABEL));
        EXPECT_EQ(d.Text(IDC_EXPORT_DESCRIPTION), L"Install this machine directly in Torla Pelora on this PC.");

        d.SelectTarget(0);
        EXPECT_TRUE(d.Visible(IDC_EXPORT_BUNDLE_PATH));
        EXPECT_TRUE(d.Visible(IDC_EXPORT_SAVE_AS_LABEL));
        d.SelectTarget(1);
        EXPECT_FALSE(d.Visible(IDC_EXPORT_BUNDLE_PATH));
    });
}

struct WarningCase {
    const char* name;
    bool simulator;
    std::string output;
    std::string post;
    std::wstring message;
    friend void PrintTo(const WarningCase& c, std::ostream* os) { *os << c.name; }
};

class ExportWarningTest : public ExportDialogTest, public testing::WithParamInterface<WarningCase> {};

TEST_P(ExportWarningTest, WarnsAndStaysOpenWithoutWriting)
{
    if (GetParam().simulator) {
        MakeSimulatorFolder();
    }
    ExportDialog dialog(machineUtf8_);
    bool stillOpen = false;
    ShownMessage shown;
    RunExportDialog(dialog, [&](ExportDialogDriver& d) {
        d.SetText(IDC_EXPORT_BUNDLE_PATH, GetParam().output.empty() ? L"" : Out(GetParam().output));
        d.SetText(IDC_EXPORT_POST_PATH, GetParam().post.empty() ? L"" : Out(GetParam().post));
        shown = d.PressOkAndReadMessage();
        ::Sleep(100);
        stillOpen = ::IsWindowVisible(d.dialog) != FALSE;
    });
    EXPECT_EQ(shown.text, GetParam().message);
    EXPECT_TRUE(shown.icon) << "a warning carries its icon";
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(scratch_.Exists("out"));
    EXPECT_FALSE(scratch_.Exists("Roaming/Torla Pelora/MachineCfg/Mill"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExportWarningTest,
    testing::Values(
        WarningCase{"EmptyOutputForTheBundle", false, "", "", L"Please select an output file."},
        WarningCase{"MissingPostComesBeforeTheEmptyOutput", false, "", "posts/none.pst",
                    L"A path to an external post was provided, but the file cannot be found."},
        WarningCase{"MissingPostBlocksInstalling", true, "", "posts/none.pst",
                    L"A path to an external post was provided, but the file cannot be found."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ExportDialogTest, BundleIsWrittenWithTheDialogsGuidAfterAWarning)
{
    scratch_.Write("posts/mill3x.pst", "post processor");
    ExportDialog dialog(machineUtf8_);
    ShownMessage warning;
    ShownMessage result;
    RunExportDialog(dialog, [&](ExportDialogDriver& d) {
        warning = d.PressOkAndReadMessage();  // no output yet
        d.SetText(IDC_EXPORT_BUNDLE_PATH, Out("out/Mill.TorlaSimBundle"));
        d.SetText(IDC_EXPORT_POST_PATH, Out("posts/mill3x.pst"));
        result = d.PressOkAndReadMessage();
    });
    EXPECT_EQ(warning.text, L"Please select an output file.");
    EXPECT_EQ(result.text, L"Success!");
    EXPECT_TRUE(result.icon);

    ASSERT_TRUE(scratch_.Exists("out/Mill.TorlaSimBundle"));
    const std::string bundle = scratch_.Read("out/Mill.TorlaSimBundle");
    const auto entries = OpenSignedFile(ToBytes(bundle));
    ASSERT_EQ(entries.count("Mill.TorlaSim"), 1u);
    EXPECT_EQ(entries.at("mill3x.pst"), "post processor");
    const auto machine = OpenSignedFile(ToBytes(entries.at("Mill.TorlaSim")));
    const auto document = ParseJsonDocument(ToBytes(machine.at("config.json")));
    ASSERT_TRUE(document);
    EXPECT_EQ((*document)["MachineDefinition"]["Header"]["GUID"].asString(), WideToUtf8(dialog.ExportGuid()));

    ExportDialog again(machineUtf8_);
    RunExportDialog(again, [](ExportDialogDriver&) {});
    EXPECT_EQ(again.ExportGuid().size(), 36u);
    EXPECT_NE(again.ExportGuid(), dialog.ExportGuid()) << "each opening makes its own GUID";
}

TEST_F(ExportDialogTest, InstalledMachineLandsInTheSimulatorsFolder)
{
    MakeSimulatorFolder();
    ExportDialog dialog(machineUtf8_);
    ShownMessage result;
    RunExportDialog(dialog, [&](ExportDialogDriver& d) { result = d.PressOkAndReadMessage(); });
    EXPECT_EQ(result.text, L"Success!");
    EXPECT_TRUE(scratch_.Exists("Roaming/Torla Pelora/MachineCfg/Mill/Mill.TorlaSim"));
    EXPECT_TRUE(scratch_.Exists("Roaming/Torla Pelora/MachineCfg/Mill/Mill.TorlaSimCfg"));
}

TEST_F(ExportDialogTest, FailedExportIsReportedWithoutAnIconAndCloses)
{
    fs::remove(fs::path(scratch_.Path("machines/Mill/config.json")));
    ExportDialog dialog(machineUtf8_);
    ShownMessage result;
    RunExportDialog(dialog, [&](ExportDialogDriver& d) {
        d.SetText(IDC_EXPORT_BUNDLE_PATH, Out("out/Mill.TorlaSimBundle"));
        result = d.PressOkAndReadMessage();
    });
    EXPECT_EQ(result.text, L"Something went wrong!");
    EXPECT_FALSE(result.icon);
    EXPECT_FALSE(scratch_.Exists("out/Mill.TorlaSimBundle"));
}

TEST_F(ExportDialogTest, SimulatorFolderGoneBeforeOkIsAFailure)
{
    MakeSimulatorFolder();
    ExportDialog dialog(machineUtf8_);
    ShownMessage result;
    RunExportDialog(dialog, [&](ExportDialogDriver& d) {
        fs::remove_all(fs::path(roaming_) / L"Torla Pelora");
        result = d.PressOkAndReadMessage();
    });
    EXPECT_EQ(result.text, L"Something went wrong!");
}

// The system's file dialogs of this process, found by title; their file name box.
HWND FileNameBox(HWND fileDialog)
{
    HWND name = ::GetDlgItem(fileDialog, 0x47C);
    return name != nullptr ? name : ::GetDlgItem(fileDialog, 0x480);
}

TEST_F(ExportDialogTest, BrowsingProposesTheMachineNameAndCancelKeepsTheField)
{
    ExportDialog dialog(machineUtf8_);
    std::wstring proposed;
    std::wstring afterCancel = L"<unread>";
    bool postDialogIsAnOpenDialog = false;
    RunExportDialog(dialog, [&](ExportDialogDriver& d) {
        ::PostMessageW(d.Item(IDC_EXPORT_BUNDLE_PATH + kBrowseButtonIdOffset), BM_CLICK, 0, 0);
        if (HWND save = WaitForWindow(L"Save As", ::GetCurrentProcessId(), 20000, L"#32770")) {
            proposed = WindowText(FileNameBox(save));
            PressButton(save, IDCANCEL);
        }
        ::Sleep(200);
        afterCancel = d.Text(IDC_EXPORT_BUNDLE_PATH);
        ::PostMessageW(d.Item(IDC_EXPORT_POST_PATH + kBrowseButtonIdOffset), BM_CLICK, 0, 0);
        if (HWND open = WaitForWindow(L"Open", ::GetCurrentProcessId(), 20000, L"#32770")) {
            postDialogIsAnOpenDialog = true;
            PressButton(open, IDCANCEL);
        }
        ::Sleep(200);
    });
    EXPECT_EQ(proposed, L"Mill");
    EXPECT_EQ(afterCancel, L"");
    EXPECT_TRUE(postDialogIsAnOpenDialog);
}

TEST_F(ExportDialogTest, CancelWritesNothing)
{
    MakeSimulatorFolder();
    ExportDialog dialog(machineUtf8_);
    const INT_PTR result = RunExportDialog(dialog, [&](ExportDialogDriver& d) {
        d.SelectTarget(0);
        d.SetText(IDC_EXPORT_BUNDLE_PATH, Out("out/Mill.TorlaSimBundle"));
        PressButton(d.dialog, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(scratch_.Exists("out"));
    EXPECT_FALSE(scratch_.Exists("Roaming/Torla Pelora/MachineCfg/Mill"));
}

} // namespace
