#include "stl_picker.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "addin_resource.h"
#include "colour_text.h"
#include "geometry_pipe_protocol.h"
#include "host_geometry.h"
#include "modeless_dialog_keys.h"
#include "path_probe.h"
#include "stl_path_list.h"
#include "text_encoding.h"

namespace {

constexpr UINT kBeginRequest = WM_APP + 0x51;
constexpr UINT kDeleteOnWindowThread = WM_APP + 0x52;
constexpr DWORD kPollMs = 10;
constexpr UINT kCrossThreadTimeoutMs = 200;

std::wstring Decimal(long long value)
{
    return std::to_wstring(value);
}

// What the user is told about files that could not be generated.
std::wstring FailureLine(const std::wstring& what, StlWriteResult result)
{
    return L"\n  " + what +
           (result == StlWriteResult::NothingToWrite ? L": no solid or surface geometry to write"
                                                     : L": the file could not be written");
}

} // namespace

STLPicker::STLPicker() : Dialog(IDD_STL_PICKER) {}

STLPicker::~STLPicker()
{
    keys_.reset();
    DestroyWindow();
}

bool STLPicker::CreateHidden()
{
    // The host need not have loaded the list view's window class.
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return Create(::GetDesktopWindow());
}

bool STLPicker::OnInitDialog()
{
    ::SetForegroundWindow(Handle());
    keys_ = std::make_unique<ModelessDialogKeys>(Handle());

    const HDC screen = ::GetDC(nullptr);
    const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    headingFont_.Reset(::CreateFontW(-static_cast<int>(std::lround(14.0 * pixelsPerInch / 72.0)), 0, 0, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0, L"Segoe UI"));
    for (int heading : {IDC_HEADING_FILE, IDC_HEADING_LEVELS, IDC_HEADING_SELECT}) {
        ::SendMessageW(Item(heading), WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.Get()), TRUE);
    }

    browse_.Attach(*this, IDC_STL_BROWSE);
    levelList_.Attach(Item(IDC_LEVEL_LIST));
    levelList_.AddColumn(L"Select", 10);
    levelList_.AddColumn(L"Number", 14);
    levelList_.AddColumn(L"Name", -1);
    const HWND list = levelList_.Handle();
    ::SetWindowLongPtrW(list, GWL_STYLE, (::GetWindowLongPtrW(list, GWL_STYLE) & ~LVS_EDITLABELS) | LVS_SHOWSELALWAYS);
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
                                        LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    levelList_.FillWidthWithLastColumn();

    wchar_t tolerance[32] = {};
    std::swprintf(tolerance, 32, L"%.4lf", 0.1);
    SetItemText(IDC_TOLERANCE, tolerance);
    return true;
}

void STLPicker::SetOutputDirectory(const std::wstring& directory)
{
    std::lock_guard lock(outputMutex_);
    outputDirectory_ = directory;
}

std::wstring STLPicker::OutputDirectory() const
{
    std::lock_guard lock(outputMutex_);
    return outputDirectory_;
}

void STLPicker::Shutdown()
{
    shutDown_ = true;
    waiting_ = false;
}

bool STLPicker::RunOnWindowThread(UINT message)
{
    // The window's thread may be busy for a while (the user works in the host);
    // keep asking, but give up when the add-in is going away.
    while (!shutDown_ && Handle() != nullptr) {
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutW(Handle(), message, 0, 0, SMTO_NORMAL, kCrossThreadTimeoutMs, &answer)) {
            return true;
        }
        if (::GetLastError() != ERROR_TIMEOUT) {
            return false;
        }
    }
    return false;
}

std::wstring STLPicker::RequestStlPaths()
{
    if (shutDown_ || !RunOnWindowThread(kBeginRequest)) {
        return {};
    }
    while (waiting_) {
        ::Sleep(kPollMs);
    }
    ::ShowWindowAsync(Handle(), SW_HIDE);
    return shutDown_ ? std::wstring() : pathList_;
}

// Runs on the window's thread, so the host is asked for its levels there.
void STLPicker::BeginRequest()
{
    EnableItem(IDC_LEVEL_LIST, false);
    EnableItem(IDC_TOLERANCE, false);
    SetItemText(IDC_SELECTION_COUNT, L"");
    selectedEntities_.clear();
    levelList_.DeleteAllRows();
    levelNumbers_.clear();
    levelNames_.clear();
    pathList_.clear();

    // The list may still be shown (the hide that ended the last request need
    // not have run yet): drawn at every row, a long list keeps re-laying out its
    // scroll bars, which was seen to go on without end under Wine.
    ::SendMessageW(levelList_.Handle(), WM_SETREDRAW, FALSE, 0);
    for (const auto& [number, name] : ListLevels()) {
        levelList_.AddRow(L"", Decimal(number), name);
        levelNumbers_.push_back(number);
        levelNames_.push_back(name);
    }
    ::SendMessageW(levelList_.Handle(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(levelList_.Handle(), nullptr, TRUE);
    EnableItem(IDC_LEVEL_LIST, !levelNumbers_.empty());
    browse_.SetText(L"");
    SetItemText(IDC_SELECTION_NAME, L"");
    EnableItem(IDC_SELECTION_NAME, false);

    // Waiting starts before the window can take a click, so no OK is missed.
    waiting_ = true;
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

void STLPicker::ApplyToleranceRule()
{
    bool anyTicked = false;
    for (int row = 0; row < levelList_.RowCount() && !anyTicked; ++row) {
        anyTicked = levelList_.IsChecked(row);
    }
    EnableItem(IDC_TOLERANCE, !selectedEntities_.empty() || anyTicked);
}

void STLPicker::SelectInDrawing()
{
    ::ShowWindow(Handle(), SW_HIDE);
    selectedEntities_ = SelectInHost();
    if (selectedEntities_.empty()) {
        SetItemText(IDC_SELECTION_COUNT, L"");
        EnableItem(IDC_SELECTION_NAME, false);
    } else {
        wchar_t count[64] = {};
        std::swprintf(count, 64, L"%d entities selected", static_cast<int>(selectedEntities_.size()));
        SetItemText(IDC_SELECTION_COUNT, count);
        EnableItem(IDC_SELECTION_NAME, true);
    }
    ApplyToleranceRule();
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
}

bool STLPicker::Export()
{
    std::vector<int> tickedRows;
    for (int row = 0; row < levelList_.RowCount(); ++row) {
        if (levelList_.IsChecked(row)) {
            tickedRows.push_back(row);
        }
    }
    const bool generates = !selectedEntities_.empty() || !tickedRows.empty();
    std::wstring selectionName;
    if (!selectedEntities_.empty()) {
        selectionName = ItemText(IDC_SELECTION_NAME);
        if (selectionName.empty()) {
            ShowMessage(L"Please enter a name for the selected geometry", MB_OK);
            return false;
        }
    }
    const double tolerance = std::wcstod(ItemText(IDC_TOLERANCE).c_str(), nullptr);
    // A tolerance of zero or less (or a text that is no number) would have the
    // host triangulate without end.
    if (generates && !(tolerance > 0.0 && std::isfinite(tolerance))) {
        ShowMessage(L"Please enter a triangulation tolerance greater than 0", MB_OK | MB_ICONWARNING);
        return false;
    }

    const std::wstring output = OutputDirectory();
    StlPathList list;
    std::wstring failures;
    if (!selectedEntities_.empty()) {
        const std::wstring path = output + SelectionFileName(selectionName);
        std::uint32_t colour = 0;
        const StlWriteResult result = WriteSelectionStl(selectedEntities_, path, tolerance, colour);
        if (result == StlWriteResult::Written) {
            list.AddGenerated(path, ColourText(colour));
        } else {
            failures += FailureLine(L"Selection \"" + selectionName + L"\"", result);
        }
    }
    for (int row : tickedRows) {
        const std::wstring path = output + levelNames_[static_cast<size_t>(row)] + L".stl";
        std::uint32_t colour = 0;
        const StlWriteResult result =
            WriteLevelStl(levelNumbers_[static_cast<size_t>(row)], path, tolerance, colour);
        if (result == StlWriteResult::Written) {
            list.AddGenerated(path, ColourText(colour));
        } else {
            failures += FailureLine(L"Level " + Decimal(levelNumbers_[static_cast<size_t>(row)]) + L" \"" +
                                        levelNames_[static_cast<size_t>(row)] + L"\"",
                                    result);
        }
    }
    if (!failures.empty()) {
        ShowMessage(L"Some of the chosen geometry could not be written as STL:" + failures +
                        L"\n\nPlease change your choice and press OK again.",
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    const std::wstring browsed = browse_.Text();
    if (IsExistingRegularFile(browsed)) {
        list.AddExisting(browsed);
    }
    if (WideToUtf8(list.Text()).size() > kMaxPipeMessageLength) {
        ShowMessage(L"The chosen files are too many to hand to the editor at once. "
                    L"Please choose fewer levels and press OK again.",
                    MB_OK | MB_ICONWARNING);
        return false;
    }
    if (list.Empty() &&
        ShowMessage(L"Failed to select/export any STL file. Close STL picker?", MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return false;
    }
    pathList_ = list.Text();
    return true;
}

void STLPicker::Finish()
{
    waiting_ = false;
}

void STLPicker::OnOK()
{
    pathList_.clear();
    if (Export()) {
        Finish();
    }
}

void STLPicker::OnCancel()
{
    pathList_.clear();
    Finish();
}

bool STLPicker::OnCommand(int id, int code, HWND /*control*/)
{
    if (id == IDC_SELECT && code == BN_CLICKED) {
        SelectInDrawing();
        return true;
    }
    return false;
}

bool STLPicker::OnNotify(const NMHDR& header, LRESULT& /*result*/)
{
    if (header.idFrom == IDC_LEVEL_LIST && header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) != 0) {
            ApplyToleranceRule();
        }
    }
    return false;
}

bool STLPicker::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& result)
{
    if (message == kBeginRequest) {
        BeginRequest();
        result = TRUE;
        return true;
    }
    if (message == kDeleteOnWindowThread) {
        delete this;
        return true;
    }
    return false;
}

std::shared_ptr<STLPicker> MakeStlPicker()
{
    const DWORD windowThread = ::GetCurrentThreadId();
    auto* picker = new STLPicker();
    return std::shared_ptr<STLPicker>(picker, [windowThread](STLPicker* p) {
        if (::GetCurrentThreadId() != windowThread && p->Handle() != nullptr &&
            ::PostMessageW(p->Handle(), kDeleteOnWindowThread, 0, 0)) {
            return;
        }
        delete p;
    });
}
