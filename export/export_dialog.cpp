#include "export_dialog.h"

#include <windows.h>

#include "guid_text.h"
#include "machine_bundle.h"
#include "machine_installation.h"
#include "machine_paths.h"
#include "machine_preparation.h"
#include "text_encoding.h"
#include "whole_file.h"
#include "wrapper_resource.h"

namespace {

constexpr wchar_t kBundleEntry[] = L"Torla Pelora bundle (.TorlaSimBundle)";
constexpr wchar_t kInstalledEntry[] = L"Torla Pelora installed machine";
constexpr wchar_t kBundleDescription[] =
    L"Create a bundle file that can be installed in Torla Pelora on any PC.\r\n"
    L"Torla Pelora Setup -> Machine Installer -> Custom Machine.";
constexpr wchar_t kInstalledDescription[] = L"Install this machine directly in Torla Pelora on this PC.";

// Shows a wait cursor while an export runs inside the dialog's handler.
class WaitCursor {
public:
    WaitCursor() : previous_(::SetCursor(::LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace

ExportDialog::ExportDialog(std::string machinePathUtf8) : Dialog(IDD_EXPORT), machinePath_(std::move(machinePathUtf8))
{
    bundlePath_.defaultFileName = DeriveMachineDocumentNames(Utf8ToWide(machinePath_)).machineName;
}

bool ExportDialog::OnInitDialog()
{
    const HWND description = Item(IDC_EXPORT_DESCRIPTION);
    LOGFONTW font{};
    if (::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(description, WM_GETFONT, 0, 0)), sizeof(font), &font)) {
        font.lfItalic = TRUE;
        italicFont_.Reset(::CreateFontIndirectW(&font));
        ::SendMessageW(description, WM_SETFONT, reinterpret_cast<WPARAM>(italicFont_.Get()), FALSE);
    }

    bundlePath_.Attach(*this, IDC_EXPORT_BUNDLE_PATH);
    postPath_.Attach(*this, IDC_EXPORT_POST_PATH);

    const HWND targets = Item(IDC_EXPORT_TARGET);
    ::SendMessageW(targets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kBundleEntry));
    if (!GetSimulatorMachineFolder().empty()) {
        ::SendMessageW(targets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kInstalledEntry));
    }
    ::SendMessageW(targets, CB_SETCURSEL, ::SendMessageW(targets, CB_GETCOUNT, 0, 0) - 1, 0);

    exportGuid_ = MakeGuidWString();

    postPath_.defaultExtension = L".pst";
    postPath_.filter = L"Post Processor Files (*.pst)|*.pst||";
    postPath_.saveMode = false;

    UpdateControlsForTarget();
    return true;
}

int ExportDialog::SelectedTarget() const
{
    return static_cast<int>(::SendMessageW(Item(IDC_EXPORT_TARGET), CB_GETCURSEL, 0, 0));
}

void ExportDialog::UpdateControlsForTarget()
{
    const bool bundle = SelectedTarget() == kBundle;
    SetItemText(IDC_EXPORT_DESCRIPTION, bundle ? kBundleDescription : kInstalledDescription);
    ShowItem(IDC_EXPORT_SAVE_AS_LABEL, bundle);
    bundlePath_.Show(bundle);
    ShowItem(IDC_EXPORT_POST_LABEL, true);
    postPath_.Show(true);
}

bool ExportDialog::OnCommand(int id, int code, HWND /*control*/)
{
    if (id == IDC_EXPORT_TARGET && code == CBN_SELCHANGE) {
        UpdateControlsForTarget();
        return true;
    }
    return false;
}

bool ExportDialog::RunExport(int target, const std::wstring& outputPath, const std::wstring& postPath)
{
    const std::wstring machinePath = Utf8ToWide(machinePath_);
    std::wstring guid = exportGuid_;
    WaitCursor wait;
    if (target == kBundle) {
        return WriteMachineBundle(machinePath, outputPath, kUnchangedOrientation, postPath, &guid);
    }
    const std::wstring folder = GetSimulatorMachineFolder();
    return !folder.empty() && InstallMachine(machinePath, folder, kUnchangedOrientation, postPath, &guid);
}

void ExportDialog::OnOK()
{
    const std::wstring outputPath = bundlePath_.Text();
    const std::wstring postPath = postPath_.Text();
    if (!postPath.empty() && !IsReadableFile(postPath)) {
        ShowMessage(L"A path to an external post was provided, but the file cannot be found.", MB_OK | MB_ICONWARNING);
        return;
    }
    const int target = SelectedTarget();
    if (target == kBundle && outputPath.empty()) {
        ShowMessage(L"Please select an output file.", MB_OK | MB_ICONWARNING);
        return;
    }
    if (RunExport(target, outputPath, postPath)) {
        ShowMessage(L"Success!", MB_OK | MB_ICONINFORMATION);
    } else {
        ShowMessage(L"Something went wrong!", MB_OK);
    }
    EndDialog(IDOK);
}
