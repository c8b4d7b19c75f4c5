// The stand-in editor's window, driven through window messages from a second
// thread while the run entry holds the test's main thread, as it holds the host's.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <thread>

#include "editor_test_support.h"
#include "framewright_environment.h"
#include "framewright_window_ids.h"
#include "text_encoding.h"

namespace fs = std::filesystem;

namespace {

const std::string kAnswer = "C:\\w\\Ebene 1.stl@0x00ff00;C:\\Teile\\Spannb\xC3\xA4nke.stl";
std::vector<std::string> g_exportedPaths;

void AnswerGeometry(char* buffer) { std::memcpy(buffer, kAnswer.c_str(), kAnswer.size() + 1); }
void RecordExport(const char* machineDocumentUtf8) { g_exportedPaths.emplace_back(machineDocumentUtf8); }

// Only this process's editor window counts: other test programs may show theirs.
HWND WaitForEditorWindow(DWORD editorThread)
{
    for (int attempt = 0; attempt < 400; ++attempt) {
        HWND found = nullptr;
        ::EnumThreadWindows(
            editorThread,
            [](HWND window, LPARAM result) -> BOOL {
                wchar_t className[64] = {};
                ::GetClassNameW(window, className, 64);
                if (std::wcscmp(className, kFramewrightWindowClass) != 0 || !::IsWindowVisible(window)) {
                    return TRUE;
                }
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        if (found != nullptr) {
            return found;
        }
        ::Sleep(50);
    }
    return nullptr;
}

std::wstring ControlText(HWND window, int id)
{
    wchar_t text[1024] = {};
    ::SendDlgItemMessageW(window, id, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::vector<std::wstring> MachineListItems(HWND window)
{
    std::vector<std::wstring> items;
    const auto count = ::SendDlgItemMessageW(window, kMachineListId, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(::SendDlgItemMessageW(window, kMachineListId, LB_GETTEXTLEN, i, 0), L'\0');
        ::SendDlgItemMessageW(window, kMachineListId, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(item);
    }
    return items;
}

void Click(HWND window, int id) { ::SendDlgItemMessageW(window, id, BM_CLICK, 0, 0); }

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library_.Loaded()) << DistributedEditorLibrary();
        g_exportedPaths.clear();
        library_.setCreateStlFunc(&AnswerGeometry);
        library_.setExportFunc(&RecordExport);
    }

    // Runs the editor on this thread while `drive` works its window from
    // another. A window that never shows, or a run that does not end once the
    // driver is done, is ended with WM_QUIT and fails the test instead of
    // hanging it.
    void RunDriven(const fs::path& machineDirectory, const std::function<void(HWND)>& drive, bool driverCloses = true)
    {
        const DWORD editorThread = ::GetCurrentThreadId();
        std::atomic<bool> shown = false;
        std::atomic<bool> returned = false;
        std::atomic<bool> forcedToQuit = false;
        std::thread driver([&] {
            const HWND window = WaitForEditorWindow(editorThread);
            if (window != nullptr) {
                shown = true;
                drive(window);
            }
            for (int waited = 0; driverCloses && waited < 200 && !returned; ++waited) {
                ::Sleep(50);
            }
            if (window == nullptr || (driverCloses && !returned)) {
                forcedToQuit = true;
                ::PostThreadMessageW(editorThread, WM_QUIT, 0, 0);
            }
        });
        const std::string directory = Utf8Path(machineDirectory);
        library_.runFramewright(directory.c_str(), static_cast<int>(directory.size()), "", 0, 0, "en-US", 5, nullptr);
        returned = true;
        driver.join();
        if (forcedToQuit) {
            MSG leftover{};
            ::PeekMessageW(&leftover, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
        EXPECT_TRUE(shown) << "the editor window did not show";
        EXPECT_FALSE(forcedToQuit) << "the run had to be ended with WM_QUIT";
    }

    ScratchFolder scratch_;
    fs::path logPath_ = std::filesystem::path(scratch_.Path()) / L"calls.log";
    ScopedEnvironmentVariable log_{kFramewrightLogVariable, logPath_.wstring()};
    ScopedEnvironmentVariable noScript_{kFramewrightScriptVariable, L""};
    FramewrightLibrary library_{DistributedEditorLibrary()};
};

TEST_F(EditorWindowTest, ListsTheMachinesAndServesItsButtons)
{
    const fs::path machines = std::filesystem::path(scratch_.Path()) / L"Machines";
    const fs::path generic = std::filesystem::path(scratch_.Path()) / L"Generic Machines";
    fs::create_directories(machines / L"Sub.mcfg");
    fs::create_directories(generic);
    for (const fs::path& file : {machines / L"Alpha.mcfg", machines / L"beta.MCFG", machines / L"notes.txt",
                                 machines / L".mcfg", machines / L"old.mcfg.bak", generic / L"Gamma \u00e4.mcfg"}) {
        WriteBytes(file, "{}");
    }
    // Empty entries, a missing folder and the machine directory once more add nothing.
    const std::string list = Utf8Path(generic) + ";;" + Utf8Path(std::filesystem::path(scratch_.Path()) / L"missing") + ";" +
                             Utf8Path(machines) + "\\";
    library_.setPreconfiguredMachineDirectory(list.c_str(), static_cast<int>(list.size()));

    std::vector<std::wstring> items;
    std::wstring statusWithoutSelection;
    std::wstring answerShown;
    RunDriven(machines, [&](HWND window) {
        items = MachineListItems(window);
        Click(window, kExportButtonId);
        statusWithoutSelection = ControlText(window, kStatusTextId);
        ::SendDlgItemMessageW(window, kMachineListId, LB_SETCURSEL, 2, 0);
        Click(window, kExportButtonId);
        Click(window, kRequestGeometryButtonId);
        answerShown = ControlText(window, kGeometryAnswerId);
        Click(window, kCloseButtonId);
    });

    const fs::path gamma = generic / L"Gamma \u00e4.mcfg";
    EXPECT_EQ(items, (std::vector<std::wstring>{(machines / L"Alpha.mcfg").wstring(),
                                                (machines / L"beta.MCFG").wstring(), gamma.wstring()}));
    EXPECT_EQ(statusWithoutSelection, L"Select a machine to export.");
    EXPECT_EQ(g_exportedPaths, std::vector<std::string>{Utf8Path(gamma)});
    EXPECT_EQ(answerShown, Utf8ToWide(kAnswer));

    const auto records = ReadCallLog(logPath_);
    EXPECT_EQ(RecordOf(records, "RunFramewright").Field("mode"), "window");
    EXPECT_EQ(RecordOf(records, "ExportCallback").Field("path"), Utf8Path(gamma));
    EXPECT_EQ(RecordOf(records, "GeometryCallback").Field("text"), kAnswer);
    EXPECT_EQ(RecordOf(records, "RunFramewrightReturns").Field("reason"), "window-closed");
}

TEST_F(EditorWindowTest, AQuitMessageForTheHostClosesTheWindowAndStaysForTheHost)
{
    const DWORD editorThread = ::GetCurrentThreadId();
    HWND window = nullptr;
    RunDriven(std::filesystem::path(scratch_.Path()), [&](HWND shown) {
        window = shown;
        ::PostThreadMessageW(editorThread, WM_QUIT, 7, 0);
    }, false);

    EXPECT_FALSE(::IsWindow(window));
    MSG quit{};
    ASSERT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_EQ(RecordOf(ReadCallLog(logPath_), "RunFramewrightReturns").Field("reason"), "window-closed");
}

} // namespace
