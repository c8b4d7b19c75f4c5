// Plays the user's part in the demo: fills the add-in's STL picker in the
// stand-in host and the export dialog of the editor host program, through
// their window messages, and saves a picture of each. Prints every step;
// exits non-zero when a step fails.
//
// demo_user PICTURE_FOLDER BUNDLE_PATH BROWSED_STL

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "addin_resource.h"
#include "wrapper_resource.h"

namespace {

constexpr DWORD kPatienceMs = 90000;

struct WindowSearch {
    const wchar_t* title;
    HWND found;
};

HWND WaitForTopWindow(const wchar_t* title)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    do {
        WindowSearch search{title, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<WindowSearch*>(context);
                wchar_t text[256] = {};
                ::GetWindowTextW(window, text, 256);
                if (::IsWindowVisible(window) && std::wstring(text) == s->title) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        ::Sleep(50);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

HWND WaitForMessageBox(HWND owner)
{
    struct OwnedSearch {
        HWND owner;
        HWND found;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    do {
        OwnedSearch search{owner, nullptr};
        ::EnumWindows(
            [](HWND window, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<OwnedSearch*>(context);
                if (::GetWindow(window, GW_OWNER) == s->owner && ::IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        ::Sleep(50);
    } while (std::chrono::steady_clock::now() < deadline);
    return nullptr;
}

std::wstring Text(HWND window)
{
    wchar_t text[1024] = {};
    ::SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

void SetText(HWND dialog, int id, const std::wstring& text)
{
    ::SendMessageW(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

// Posted, not sent: a button's handler may show a modal message box, and a
// sent message would wait for that box to be answered.
void Press(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Say(const std::wstring& line)
{
    std::fwprintf(stdout, L"demo: %ls\n", line.c_str());
    std::fflush(stdout);
}

// A list view of another process: its item structures must live in that
// process's memory.
class RemoteListView {
public:
    explicit RemoteListView(HWND list) : list_(list)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(list, &processId);
        process_ = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_ != nullptr) {
            memory_ = ::VirtualAllocEx(process_, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteListView()
    {
        if (memory_ != nullptr) {
            ::VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        }
        if (process_ != nullptr) {
            ::CloseHandle(process_);
        }
    }
    RemoteListView(const RemoteListView&) = delete;
    RemoteListView& operator=(const RemoteListView&) = delete;

    int Rows() const { return static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

    std::wstring Cell(int row, int column) const
    {
        auto* remoteText = static_cast<char*>(memory_) + sizeof(LVITEMW);
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(remoteText);
        item.cchTextMax = 256;
        ::WriteProcessMemory(process_, memory_, &item, sizeof(item), nullptr);
        ::SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory_));
        wchar_t text[256] = {};
        ::ReadProcessMemory(process_, remoteText, text, sizeof(text) - sizeof(wchar_t), nullptr);
        return text;
    }

    void Tick(int row) const
    {
        LVITEMW item{};
        item.stateMask = LVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(2);
        ::WriteProcessMemory(process_, memory_, &item, sizeof(item), nullptr);
        ::SendMessageW(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory_));
    }

    [[nodiscard]] bool Usable() const { return memory_ != nullptr; }

private:
    HWND list_;
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

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
    HWND picker = WaitForTopWindow(L"STL picker");
    if (picker == nullptr) {
        Say(L"the STL picker did not appear");
        return false;
    }
    Say(L"the STL picker is open in the host");
    RemoteListView levels(::GetDlgItem(picker, IDC_LEVEL_LIST));
    int ticked = 0;
    for (int row = 0; levels.Usable() && row < levels.Rows(); ++row) {
        const std::wstring name = levels.Cell(row, 2);
        if (name == L"Base" || name == L"Spindle") {
            levels.Tick(row);
            ++ticked;
            Say(L"ticked level " + levels.Cell(row, 1) + L" \"" + name + L"\"");
        }
    }
    if (ticked != 2) {
        Say(L"the levels Base and Spindle were not offered");
        return false;
    }
    Press(picker, IDC_SELECT);
    for (int i = 0; i < 200 && Text(::GetDlgItem(picker, IDC_SELECTION_COUNT)).empty(); ++i) {
        ::Sleep(50);
    }
    Say(L"selected in the host: " + Text(::GetDlgItem(picker, IDC_SELECTION_COUNT)));
    SetText(picker, IDC_SELECTION_NAME, L"Spindle Housing");
    SetText(picker, IDC_STL_BROWSE, browsedStl);
    SavePicture(picker, pictures + L"\\picker.bmp");
    Press(picker, IDOK);
    Say(L"pressed OK in the STL picker");
    return true;
}

bool Export(const std::wstring& pictures, int target, const std::wstring& bundlePath, const std::wstring& pictureName)
{
    HWND dialog = WaitForTopWindow(L"Export");
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
    Press(dialog, IDOK);
    HWND box = WaitForMessageBox(dialog);
    if (box == nullptr) {
        Say(L"no message after the export");
        return false;
    }
    const std::wstring message = Text(::GetDlgItem(box, 0xFFFF));
    Say(L"the export dialog says: " + message);
    Press(box, IDOK);
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
