#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "geometry_callback.h"
#include "geometry_channel_server.h"
#include "path_probe.h"
#include "program_state.h"
#include "scratch_folder.h"
#include "startup_settings.h"
#include "text_encoding.h"
#include "window_driver.h"
#include "work_folder.h"

namespace {

TEST(WorkFolder, FirstFreeNameOfTheSeries)
{
    ScratchFolder temp;
    temp.MakeFolder(L"Rigsmith");
    temp.WriteFile(L"Rigsmith1", "a file takes the name too");
    const auto folder = CreateWorkFolder(temp.Path() + L"\\");
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, temp / L"Rigsmith2");
    EXPECT_TRUE(IsExistingFolder(*folder));
    EXPECT_EQ(CreateWorkFolder(temp.Path()), temp / L"Rigsmith3") << "a folder without its final backslash";
}

TEST(WorkFolder, DeletedWithEverythingInIt)
{
    ScratchFolder temp;
    const auto folder = CreateWorkFolder(temp.Path());
    ASSERT_TRUE(folder);
    temp.WriteFile(L"Rigsmith\\Base.stl", "solid-free header");
    temp.WriteFile(L"Rigsmith\\sub\\deeper\\Frame.stl", "x");
    EXPECT_TRUE(DeleteWorkFolder(*folder));
    EXPECT_FALSE(PathExists(*folder));
}

TEST(WorkFolder, FolderHeldOpenIsReportedNotFatal)
{
    ScratchFolder temp;
    const auto folder = CreateWorkFolder(temp.Path());
    ASSERT_TRUE(folder);
    const std::wstring file = temp.WriteFile(L"Rigsmith\\busy.stl", "x");
    const UniqueHandle held(::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(DeleteWorkFolder(*folder));
}

TEST(WorkFolder, NoTemporaryFolderGivesNone)
{
    EXPECT_FALSE(CreateWorkFolder(L""));
    ScratchFolder temp;
    EXPECT_FALSE(CreateWorkFolder(temp / L"missing\\deeper")) << "parents are not created";
}

struct ListCase {
    const char* name;
    std::wstring installPath;
    std::string installDirectory;
    std::string list;
    friend void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }
};

class PreconfiguredMachineListTest : public testing::TestWithParam<ListCase> {};

TEST_P(PreconfiguredMachineListTest, ProductFolderThenGenericMachines)
{
    ConfigPaths paths;
    paths.installPath = GetParam().installPath;
    EXPECT_EQ(PreconfiguredMachineList(paths, GetParam().installDirectory), GetParam().list);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PreconfiguredMachineListTest,
    testing::Values(
        ListCase{"NoInstallation", L"", "C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\",
                 "C:\\Program Files\\Torla AS\\Torla Rigsmith for Mastercam\\Generic Machines"},
        ListCase{"FolderForm", L"P\\TorlaQuilra\\", "D:\\R\\", "P\\TorlaQuilra\\MachineCfg;D:\\R\\Generic Machines"},
        ListCase{"ProgramForm", L"P\\TorlaQuilra\\TorlaQuilra.exe", "D:\\R\\",
                 "P\\TorlaQuilra\\MachineCfg;D:\\R\\Generic Machines"},
        ListCase{"InstallDirectoryWithoutFinalSeparator", L"", "D:\\R", "D:\\R\\Generic Machines"},
        ListCase{"InstallDirectoryWithSlash", L"", "D:/R/", "D:/R/Generic Machines"},
        ListCase{"NonAsciiInUtf8", L"C:\\Caf\u00E9\\TorlaQuilra\\", "D:\\R\\",
                 "C:\\Caf\xC3\xA9\\TorlaQuilra\\MachineCfg;D:\\R\\Generic Machines"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupMachineDirectory, ProductFolderOnlyWhenItHoldsAMachine)
{
    ScratchFolder tree;
    ScopedEnvironmentVariable appData(L"APPDATA", tree.Path());
    ConfigPaths paths;
    paths.installPath = L"X\\TorlaQuilra\\";
    paths.machineCfgDir = tree.MakeFolder(L"Quilra\\MachineCfg") + L"\\";
    tree.MakeFolder(L"Quilra\\MachineCfg\\folder.mcfg");
    const std::string fallback = WideToUtf8(tree.Path() + L"\\Torla Pelora\\Rigsmith\\");
    EXPECT_EQ(StartupMachineDirectory(paths), fallback);

    tree.WriteFile(L"Quilra\\MachineCfg\\Mill.mcfg", "{}");
    EXPECT_EQ(StartupMachineDirectory(paths), WideToUtf8(paths.machineCfgDir));

    paths.installPath.clear();
    EXPECT_EQ(StartupMachineDirectory(paths), fallback) << "no installation, no product folder";
}

// The editor's buffer with a canary behind it, to see any write past its end.
struct EditorBuffer {
    static constexpr size_t kSize = 10240;
    std::unique_ptr<char[]> bytes;
    EditorBuffer() : bytes(new char[kSize + 64])
    {
        std::memset(bytes.get(), 'C', kSize + 64);
    }
    char* Get() { return bytes.get(); }
    std::string Text() const { return std::string(bytes.get()); }
    bool CanaryIntact() const
    {
        for (size_t i = kSize; i < kSize + 64; ++i) {
            if (bytes[i] != 'C') {
                return false;
            }
        }
        return true;
    }
};

TEST(EditorBufferCopy, LongestTextFitsAndLongerLeavesEmptyText)
{
    EditorBuffer buffer;
    EXPECT_TRUE(CopyToEditorBuffer(std::string(10239, 'a'), buffer.Get()));
    EXPECT_EQ(buffer.Text().size(), 10239u);
    EXPECT_FALSE(CopyToEditorBuffer(std::string(10240, 'b'), buffer.Get()));
    EXPECT_EQ(buffer.Text(), "");
    EXPECT_TRUE(CopyToEditorBuffer(std::string("a\0b", 3), buffer.Get()));
    EXPECT_EQ(buffer.Text(), "a");
    EXPECT_TRUE(buffer.CanaryIntact());
}

class FixedPicker : public GeometryPicker {
public:
    explicit FixedPicker(std::wstring answer) : answer_(std::move(answer)) {}
    std::wstring RequestStlPaths() override { return answer_; }
    void SetOutputDirectory(const std::wstring&) override {}
    void Shutdown() override {}

private:
    std::wstring answer_;
};

class GeometryCallbackTest : public testing::Test {
protected:
    GeometryChannelServer server_;
    EditorBuffer buffer_;
    void SetUp() override { Program().pipeName = server_.PipeName(); }
};

TEST_F(GeometryCallbackTest, AnswerFromTheAddinReachesTheEditor)
{
    server_.SetPicker(std::make_shared<FixedPicker>(L"C:\\T\\Rigsmith\\Base.stl@0xb70000;C:\\Caf\u00E9.stl"));
    CreateStlCallback(buffer_.Get());
    EXPECT_EQ(buffer_.Text(), "C:\\T\\Rigsmith\\Base.stl@0xb70000;C:\\Caf\xC3\xA9.stl");
    EXPECT_TRUE(buffer_.CanaryIntact());
}

TEST_F(GeometryCallbackTest, CancelledPickerGivesAnEmptyTextWithoutTheLocalDialog)
{
    server_.SetPicker(std::make_shared<FixedPicker>(L""));
    std::strcpy(buffer_.Get(), "old");
    CreateStlCallback(buffer_.Get());
    EXPECT_EQ(buffer_.Text(), "");
}

// Drives the local file dialog of this process: types the names and confirms, or cancels.
class LocalDialogDriver {
public:
    explicit LocalDialogDriver(std::wstring names) : names_(std::move(names)) {}
    std::thread Start()
    {
        return std::thread([this] {
            HWND dialog = WaitForWindow(L"Open", ::GetCurrentProcessId(), 20000, L"#32770");
            shown_ = dialog != nullptr;
            if (!dialog) {
                return;
            }
            if (names_.empty()) {
                PressButton(dialog, IDCANCEL);
                return;
            }
            // The explorer-style dialog's file name box (a combo box in newer styles).
            HWND name = ::GetDlgItem(dialog, 0x47C);
            if (name == nullptr) {
                name = ::GetDlgItem(dialog, 0x480);
            }
            ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(names_.c_str()));
            PressButton(dialog, IDOK);
        });
    }
    bool Shown() const { return shown_; }

private:
    std::wstring names_;
    bool shown_ = false;
};

TEST(LocalGeometryDialog, TwoChosenFilesAreJoinedWithOneSemicolon)
{
    ScratchFolder folder;
    const std::wstring a = folder.WriteFile(L"a.stl", "x");
    const std::wstring b = folder.WriteFile(L"b c.stl", "y");
    Program().pipeName = "\\\\.\\pipe\\TorlaRigsmithPipe";
    ::SetCurrentDirectoryW(folder.Path().c_str());

    LocalDialogDriver driver(L"\"a.stl\" \"b c.stl\"");
    std::thread thread = driver.Start();
    EditorBuffer buffer;
    CreateStlCallback(buffer.Get());
    thread.join();
    EXPECT_TRUE(driver.Shown());
    EXPECT_EQ(buffer.Text(), WideToUtf8(a + L";" + b));
}

TEST(LocalGeometryDialog, CancelGivesAnEmptyText)
{
    Program().pipeName = "\\\\.\\pipe\\TorlaRigsmithPipe";
    LocalDialogDriver driver(L"");
    std::thread thread = driver.Start();
    EditorBuffer buffer;
    std::strcpy(buffer.Get(), "old");
    CreateStlCallback(buffer.Get());
    thread.join();
    EXPECT_TRUE(driver.Shown());
    EXPECT_EQ(buffer.Text(), "");
}

TEST(LocalGeometryDialog, BusyPipeOpensTheLocalDialog)
{
    GeometryChannelServer server;
    // Holding the only instance makes the pipe busy for the callback.
    const UniqueHandle holder(::CreateFileW(Utf8ToWide(server.PipeName()).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                            nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    Program().pipeName = server.PipeName();
    LocalDialogDriver driver(L"");
    std::thread thread = driver.Start();
    EditorBuffer buffer;
    CreateStlCallback(buffer.Get());
    thread.join();
    EXPECT_TRUE(driver.Shown());
}

} // namespace
