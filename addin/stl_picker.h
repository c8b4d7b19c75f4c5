#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "custom_browse_ctrl.h"
#include "dialog.h"
#include "gdi_object.h"
#include "geometry_picker.h"
#include "wheader_ctrl.h"

// The add-in's answer to a geometry request: a modeless window of the host's
// user-interface thread in which the user picks an STL file, ticks levels or
// selects entities in the drawing. The channel's thread waits in
// RequestStlPaths until the user has finished.
class STLPicker : public Dialog, public GeometryPicker {
public:
    STLPicker();
    ~STLPicker() override;

    // Makes the hidden window from template 104 (on the user-interface thread).
    bool CreateHidden();

    std::wstring RequestStlPaths() override;
    void SetOutputDirectory(const std::wstring& directory) override;
    void Shutdown() override;

    [[nodiscard]] std::wstring OutputDirectory() const;
    [[nodiscard]] bool IsWaiting() const noexcept { return waiting_; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void BeginRequest();
    void SelectInDrawing();
    void ApplyToleranceRule();
    bool Export();
    void Finish();
    bool RunOnWindowThread(UINT message);

    std::vector<std::int32_t> selectedEntities_;
    std::atomic<bool> waiting_{false};
    std::atomic<bool> shutDown_{false};
    mutable std::mutex outputMutex_;
    std::wstring outputDirectory_;
    std::vector<std::int32_t> levelNumbers_;
    std::vector<std::wstring> levelNames_;
    std::wstring pathList_;
    UniqueFont headingFont_;
    CustomBrowseCtrl browse_;
    WHeaderCtrl levelList_;
    std::unique_ptr<class ModelessDialogKeys> keys_;
};

// A picker made on the calling (user-interface) thread whose last owner may
// let go of it on any thread: the window is always destroyed on its own thread.
std::shared_ptr<STLPicker> MakeStlPicker();
