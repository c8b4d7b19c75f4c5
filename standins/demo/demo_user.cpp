// Plays the user's part in the demo: fills the add-in's STL picker in the
// stand-in host and the export dialog of the editor host program, through
// their window messages, and saves a picture of each. Prints every step;
// exits non-zero when a step fails.
//
// demo_user PICTURE_FOLDER BUNDLE_PATH BROWSED_STL

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "addin_resource.h"
#include "remote_list_view.h"
#include "window_driver.h"
#include "wrapper_resource.h"

namespace {

constexpr DWORD kPatienceMs = 90000;

void SetText(HWND dialog, int id, const std::wstring& text)
{
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Say(const std::wstring& line)
{
    std::fwprintf(stdout, L"demo: %ls\n", line.c_str());
    std::fflush(stdout);
}

// Saves what the screen shows of the window as a 24-bit BMP file.
bool SavePicture(HWND window, const std::wstring& path)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ::Sleep(500);
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
    std::vector<char> pixels(static_cast<size_t>(rowBytes) * height);
    ::GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                         std::fwrite(pixels.data(), 1, pixels.size(), out) == pixels.size();
    return std::fclose(out) == 0 && written;
}

bool FillPicker(const std::wstring& pictures, const std::wstring& browsedStl)
{
    HWND picker = WaitForWindow(L"STL picker", 0, kPatienceMs);
    if (picker == nullptr) {
        Say(L"the STL picker did not appear");
        return false;
    }
    Say(L"the STL picker is open in the host");
    RemoteListView levels(::GetDlgItem(picker, IDC_LEVEL_LIST));
    int ticked = 0;
    for (int row = 0; levels.IsUsable() && row < levels.RowCount(); ++row) {
        const std::wstring name = levels.CellText(row, 2);
        if ((name == L"Base" || name == L"Spindle") && levels.SetChecked(row, true)) {
            ++ticked;
            Say(L"ticked level " + levels.CellText(row, 1) + L" \"" + name + L"\"");
        }
    }
    if (ticked != 2) {
        Say(L"the levels Base and Spindle were not offered");
        return false;
    }
    PressButton(picker, IDC_SELECT);
    for (int i = 0; i < 200 && WindowText(::GetDlgItem(picker, IDC_SELECTION_COUNT)).empty(); ++i) {
        ::Sleep(50);
    }
    Say(L"selected in the host: " + WindowText(::GetDlgItem(picker, IDC_SELECTION_COUNT)));
    SetText(picker, IDC_SELECTION_NAME, L"Spindle Housing");
    SetText(picker, IDC_STL_BROWSE, browsedStl);
    SavePicture(picker, pictures + L"\\picker.bmp");
    PressButton(picker, IDOK);
    Say(L"pressed OK in the STL picker");
    return true;
}

bool Export(const std::wstring& pictures, int target, const std::wstring& bundlePath, const std::wstring& pictureName)
{
    HWND dialog = WaitForWindow(L"Export", 0, kPatienceMs);
    if (dialog == nullptr) {
        Say(L"the export dialog did not appear");
        return false;
    }
    HWND targets = ::GetDlgItem(dialog, IDC_EXPORT_TARGET);
    const auto offered = ::SendMessageW(targets, CB_GETCOUNT, 0, 0);
    if (offered <= target) {
        Say(L"the export target is not offered (" + std::to_wstring(offered) + L" targets)");
        return false;
    }
    ::SendMessageW(targets, CB_SETCURSEL, target, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_EXPORT_TARGET, CBN_SELCHANGE), reinterpret_cast<LPARAM>(targets));
    if (!bundlePath.empty()) {
        SetText(dialog, IDC_EXPORT_BUNDLE_PATH, bundlePath);
    }
    if (!pictureName.empty()) {
        SavePicture(dialog, pictures + L"\\" + pictureName);
    }
    PressButton(dialog, IDOK);
    HWND box = WaitForOwnedDialog(dialog, kPatienceMs);
    if (box == nullptr) {
        Say(L"no message after the export");
        return false;
    }
    const std::wstring message = MessageBoxText(box);
    Say(L"the export dialog says: " + message);
    PressButton(box, IDOK);
    // The next export opens a dialog of the same title: let this one go first.
    for (int i = 0; i < 200 && ::IsWindow(dialog) && ::IsWindowVisible(dialog); ++i) {
        ::Sleep(50);
    }
    return message == L"Success!";
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: demo_user PICTURE_FOLDER BUNDLE_PATH BROWSED_STL\n");
        return 2;
    }
    const std::wstring pictures = argv[1];
    if (!FillPicker(pictures, argv[3])) {
        return 1;
    }
    if (!Export(pictures, 0, argv[2], L"export.bmp")) {
        return 1;
    }
    Say(L"the bundle is written");
    if (!Export(pictures, 1, L"", L"")) {
        return 1;
    }
    Say(L"the machine is installed in the simulator's folder");
    return 0;
}
