#include "remote_list_view.h"

#include <commctrl.h>

#include <cstddef>

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;
constexpr int kCellTextCapacity = 1024;

// Memory committed in another process for the length of one message.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, std::size_t size)
        : process_(process),
          address_(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
    {
    }
    ~RemoteBlock()
    {
        if (address_ != nullptr) {
            ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    [[nodiscard]] bool IsValid() const { return address_ != nullptr; }
    [[nodiscard]] char* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool Write(std::size_t offset, const void* bytes, std::size_t size) const
    {
        return ::WriteProcessMemory(process_, At(offset), bytes, size, nullptr) != FALSE;
    }
    bool Read(std::size_t offset, void* bytes, std::size_t size) const
    {
        return ::ReadProcessMemory(process_, At(offset), bytes, size, nullptr) != FALSE;
    }

private:
    HANDLE process_;
    void* address_;
};

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& answer)
{
    DWORD_PTR result = 0;
    const bool sent = ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                            &result) != 0;
    answer = static_cast<LRESULT>(result);
    return sent;
}

} // namespace

RemoteListView::RemoteListView(HWND list) : list_(list)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(list_, &processId);
    process_.Reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
}

int RemoteListView::RowCount() const
{
    LRESULT count = 0;
    return Send(list_, LVM_GETITEMCOUNT, 0, 0, count) ? static_cast<int>(count) : -1;
}

bool RemoteListView::IsChecked(int row) const
{
    LRESULT state = 0;
    Send(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK, state);
    // State image 2 is the ticked box, 1 the empty one.
    return ((static_cast<UINT>(state) & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool RemoteListView::SetChecked(int row, bool checked) const
{
    RemoteBlock block(process_.Get(), sizeof(LVITEMW));
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    LRESULT done = 0;
    return block.IsValid() && block.Write(0, &item, sizeof(item)) &&
           Send(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)), done) &&
           done != FALSE;
}

std::wstring RemoteListView::CellText(int row, int column) const
{
    constexpr std::size_t textOffset = sizeof(LVITEMW);
    RemoteBlock block(process_.Get(), textOffset + kCellTextCapacity * sizeof(wchar_t));
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = reinterpret_cast<LPWSTR>(block.At(textOffset));
    item.cchTextMax = kCellTextCapacity;
    LRESULT length = 0;
    if (!block.IsValid() || !block.Write(0, &item, sizeof(item)) ||
        !Send(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.At(0)), length)) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    if (length > 0 && !block.Read(textOffset, text.data(), text.size() * sizeof(wchar_t))) {
        return {};
    }
    return text;
}
