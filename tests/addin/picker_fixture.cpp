#include "picker_fixture.h"

#include <commctrl.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "addin_resource.h"
#include "standin_drawing.h"
#include "window_driver.h"

void PickerTest::SetUp()
{
    UsePicks("cancel\n");
    picker_ = MakeStlPicker();
    ASSERT_TRUE(picker_->CreateHidden());
    picker_->SetOutputDirectory(Output());
}

void PickerTest::TearDown()
{
    if (request_.valid()) {
        // A test that failed with the picker open must not leave the request hanging.
        picker_->Shutdown();
        EXPECT_TRUE(PumpUntil([this] { return request_.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }));
    }
    picker_.reset();
}

void PickerTest::UseDrawing(const std::string& json)
{
    OpenStandinDrawing(json);
}

void PickerTest::UsePicks(const std::string& lines)
{
    scratch_.WriteFile(L"picks.txt", lines);
}

bool PickerTest::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void PickerTest::BeginRequest()
{
    request_ = std::async(std::launch::async, [picker = picker_] { return picker->RequestStlPaths(); });
    ASSERT_TRUE(PumpUntil([this] { return picker_->IsWaiting() && ::IsWindowVisible(picker_->Handle()); }))
        << "the picker was not shown";
}

std::optional<std::wstring> PickerTest::Answer(DWORD timeoutMs)
{
    if (!request_.valid() ||
        !PumpUntil([this] { return request_.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
                   timeoutMs)) {
        return std::nullopt;
    }
    return request_.get();
}

bool PickerTest::StillOpen()
{
    PumpUntil([] { return false; }, 100);
    return request_.valid() && request_.wait_for(std::chrono::seconds(0)) != std::future_status::ready &&
           picker_->IsWaiting() && ::IsWindowVisible(picker_->Handle());
}

std::optional<std::wstring> PickerTest::Press(int id, int answer)
{
    const HWND dialog = picker_->Handle();
    std::atomic<bool> handled{false};
    std::optional<std::wstring> boxText;
    // The click runs on this thread, so a message box it shows is answered from another.
    std::thread answerer([&] {
        while (!handled) {
            if (HWND box = WaitForOwnedDialog(dialog, 0)) {
                boxText = MessageBoxText(box);
                PressButton(box, answer);
                return;
            }
            ::Sleep(20);
        }
    });
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    handled = true;
    answerer.join();
    return boxText;
}

void PickerTest::Tick(int row, bool ticked)
{
    ListView_SetCheckState(Item(IDC_LEVEL_LIST), row, ticked ? TRUE : FALSE);
}

void PickerTest::SetText(int id, const std::wstring& text)
{
    ::SetWindowTextW(Item(id), text.c_str());
}

std::wstring PickerTest::Text(int id) const
{
    return WindowText(Item(id));
}

bool PickerTest::Enabled(int id) const
{
    return ::IsWindowEnabled(Item(id)) != FALSE;
}

int PickerTest::RowCount() const
{
    return ListView_GetItemCount(Item(IDC_LEVEL_LIST));
}
