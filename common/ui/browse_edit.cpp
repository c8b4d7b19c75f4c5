#include "browse_edit.h"

#include <algorithm>

#include "dialog.h"

BrowseEdit::~BrowseEdit()
{
    if (dialog_ != nullptr) {
        auto& edits = dialog_->browseEdits_;
        edits.erase(std::remove(edits.begin(), edits.end(), this), edits.end());
    }
}

void BrowseEdit::Attach(Dialog& dialog, int id)
{
    dialog_ = &dialog;
    edit_ = dialog.Item(id);
    if (edit_ == nullptr) {
        return;
    }
    RECT rect{};
    ::GetWindowRect(edit_, &rect);
    ::MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    const int height = rect.bottom - rect.top;
    const int buttonWidth = height + height / 2;
    ::SetWindowPos(edit_, nullptr, 0, 0, rect.right - rect.left - buttonWidth, height, SWP_NOMOVE | SWP_NOZORDER);
    // The button follows its edit in the tab order and speaks with the edit's font.
    button_ = ::CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                rect.right - buttonWidth, rect.top, buttonWidth, height, dialog.Handle(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + kBrowseButtonIdOffset)),
                                reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(dialog.Handle(), GWLP_HINSTANCE)),
                                nullptr);
    ::SetWindowPos(button_, edit_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageW(button_, WM_SETFONT, ::SendMessageW(edit_, WM_GETFONT, 0, 0), FALSE);
    dialog.browseEdits_.push_back(this);
}

std::wstring BrowseEdit::Text() const
{
    return TextOfWindow(edit_);
}

void BrowseEdit::SetText(const std::wstring& text) const
{
    ::SetWindowTextW(edit_, text.c_str());
}

void BrowseEdit::Show(bool show) const
{
    ::ShowWindow(edit_, show ? SW_SHOW : SW_HIDE);
    ::ShowWindow(button_, show ? SW_SHOW : SW_HIDE);
}
