#pragma once

#include <string>

#include "dialog.h"
#include "gdi_object.h"
#include "my_edit_browse_ctrl.h"

// Asks where a machine goes (a bundle file, or straight into the simulator on
// this computer) and with which external post, then exports it with a GUID
// made once per opening.
class ExportDialog : public Dialog {
public:
    explicit ExportDialog(std::string machinePathUtf8);

    [[nodiscard]] const std::wstring& ExportGuid() const noexcept { return exportGuid_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    enum Target { kBundle = 0, kInstalledMachine = 1 };
    [[nodiscard]] int SelectedTarget() const;
    void UpdateControlsForTarget();
    bool RunExport(int target, const std::wstring& outputPath, const std::wstring& postPath);

    std::string machinePath_;
    std::wstring exportGuid_;
    UniqueFont italicFont_;
    CMyEditBrowseCtrl bundlePath_;
    CMyEditBrowseCtrl postPath_;
};
