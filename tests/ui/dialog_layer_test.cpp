#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "browse_edit.h"
#include "dialog.h"
#include "file_dialog.h"
#include "resource_module.h"
#include "test_dialog_ids.h"
#include "window_driver.h"

namespace {

constexpr UINT kRunScript = WM_APP + 1;

class CountingBrowse : public BrowseEdit {
public:
    void OnBrowse() override
    {
        ++presses;
        SetText(L"C:\\chosen.stl");
    }
    int presses = 0;
};

// Runs a scripted action from inside its own message loop, once it is up.
class ScriptedDialog : public Dialog {
public:
    ScriptedDialog() : Dialog(IDD_TEST_DIALOG) {}
    std::function<void(ScriptedDialog&)> script;
    CountingBrowse browse;
    int oks = 0;
    bool cancelled = false;
    bool okEndsDialog = true;

protected:
    bool OnInitDialog() override
    {
        browse.Attach(*this, IDC_TEST_BROWSE);
        ::PostMessageW(Handle(), kRunScript, 0, 0);
        return true;
    }
    void OnOK() override
    {
        ++oks;
        if (okEndsDialog) {
            EndDialog(IDOK);
        }
    }
    void OnCancel() override
    {
        cancelled = true;
        Dialog::OnCancel();
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR&) override
    {
        if (message == kRunScript && script) {
            script(*this);
            return true;
        }
        return false;
    }
};

TEST(DialogLayer, ModalDialogRoutesButtonsToItsHandlers)
{
    ScriptedDialog dialog;
    dialog.okEndsDialog = false;
    dialog.script = [](ScriptedDialog& d) {
        ::SendMessageW(d.Item(IDC_TEST_BROWSE + kBrowseButtonIdOffset), BM_CLICK, 0, 0);
        d.SetItemText(IDC_TEST_NAME, L"Frame");
        PressButton(d.Handle(), IDOK);      // kept open by the handler
        PressButton(d.Handle(), IDCANCEL);  // ends it
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(dialog.browse.presses, 1);
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_TRUE(dialog.cancelled);
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogLayer, BrowseEditKeepsItsTextAndButton)
{
    ScriptedDialog dialog;
    std::wstring textAfterBrowse;
    bool buttonVisibleWhenHidden = true;
    dialog.script = [&](ScriptedDialog& d) {
        ::SendMessageW(d.browse.Button(), BM_CLICK, 0, 0);
        textAfterBrowse = d.browse.Text();
        d.browse.Show(false);
        buttonVisibleWhenHidden = ::IsWindowVisible(d.browse.Button()) != FALSE;
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(textAfterBrowse, L"C:\\chosen.stl");
    EXPECT_FALSE(buttonVisibleWhenHidden);
}

TEST(DialogLayer, ModelessDialogHidesOnEndAndCloseCountsAsCancel)
{
    ScriptedDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_FALSE(::IsWindowVisible(dialog.Handle()));
    ::ShowWindow(dialog.Handle(), SW_SHOW);
    ::SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dialog.cancelled);
    EXPECT_FALSE(::IsWindowVisible(dialog.Handle())) << "a modeless dialog is hidden, not destroyed";
    EXPECT_NE(dialog.Handle(), nullptr);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.Handle(), nullptr);
}

TEST(DialogLayer, TemplateComesFromTheCurrentResourceModule)
{
    // A module without the template makes creation fail; switching back finds it.
    {
        ScopedResourceModule other(::GetModuleHandleW(L"kernel32.dll"));
        EXPECT_TRUE(other.Switched());
        ScriptedDialog dialog;
        EXPECT_FALSE(dialog.Create(nullptr));
    }
    ScriptedDialog dialog;
    EXPECT_TRUE(dialog.Create(nullptr));
    ScopedResourceModule same(nullptr);
    EXPECT_FALSE(same.Switched());
}

TEST(DialogLayer, MessageBoxesCanBeAnswered)
{
    ScriptedDialog dialog;
    int answer = 0;
    std::wstring shownText;
    dialog.script = [&](ScriptedDialog& d) {
        std::thread answerYes([&, owner = d.Handle()] {
            if (HWND box = WaitForOwnedDialog(owner)) {
                shownText = MessageBoxText(box);
                PressButton(box, IDYES);
            }
        });
        answer = d.ShowMessage(L"Close?", MB_YESNO | MB_ICONQUESTION);
        answerYes.join();
        d.EndDialog(IDOK);
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(shownText, L"Close?");
}

TEST(FileDialogText, FilterAndMultiSelection)
{
    const std::wstring filter = SystemFilterText(L"STL Files (*.stl)|*.stl|All Files (*.*)|*.*||");
    EXPECT_EQ(filter, std::wstring(L"STL Files (*.stl)\0*.stl\0All Files (*.*)\0*.*\0\0\0\0", 47));

    const wchar_t one[] = L"C:\\a\\b.stl\0";
    EXPECT_EQ(SplitMultiSelection(one, std::size(one)), std::vector<std::wstring>{L"C:\\a\\b.stl"});
    const wchar_t two[] = L"C:\\a\0b.stl\0c d.stl\0";
    EXPECT_EQ(SplitMultiSelection(two, std::size(two)), (std::vector<std::wstring>{L"C:\\a\\b.stl", L"C:\\a\\c d.stl"}));
    const wchar_t none[] = L"\0";
    EXPECT_TRUE(SplitMultiSelection(none, std::size(none)).empty());
}

} // namespace
