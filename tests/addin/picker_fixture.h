#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "scratch_folder.h"
#include "stl_picker.h"

// A picker of this (the user-interface) thread whose requests come from a
// second thread, as the channel makes them, while this thread pumps messages
// and drives the window as the user would.
class PickerTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the drawing; the picker writes into Output().
    void UseDrawing(const std::string& json);
    // Pick script lines for the host's interactive selection.
    void UsePicks(const std::string& lines);

    // Starts a request; fails the test unless the picker is then shown and waiting.
    void BeginRequest();
    // Pumps until the request has returned; its answer, or nothing when it did not return.
    std::optional<std::wstring> Answer(DWORD timeoutMs = 10000);
    // The request is still open after the messages so far were handled.
    bool StillOpen();

    // Sends a button's click. A message box it shows is answered with `answer`;
    // its text is returned.
    std::optional<std::wstring> Press(int id, int answer = IDOK);

    void Tick(int row, bool ticked = true);
    void SetText(int id, const std::wstring& text);
    [[nodiscard]] std::wstring Text(int id) const;
    [[nodiscard]] bool Enabled(int id) const;
    [[nodiscard]] HWND Item(int id) const { return ::GetDlgItem(picker_->Handle(), id); }
    [[nodiscard]] int RowCount() const;

    [[nodiscard]] std::wstring Output() const { return output_ + L"\\"; }
    [[nodiscard]] std::wstring OutputFile(const std::wstring& name) const { return output_ + L"\\" + name; }

    static bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

    ScratchFolder scratch_;
    std::wstring output_ = scratch_.MakeFolder(L"Output");
    std::wstring picks_ = scratch_ / L"picks.txt";
    ScopedEnvironmentVariable pickVariable_{L"STANDIN_HOST_PICKS", picks_};
    std::shared_ptr<STLPicker> picker_;
    std::future<std::wstring> request_;
};
