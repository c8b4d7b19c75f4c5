#include "dialog.h"

#include <algorithm>

#include "browse_edit.h"
#include "resource_module.h"

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog()
{
    DestroyWindow();
}

INT_PTR Dialog::DoModal(HWND parent)
{
    modal_ = true;
    const INT_PTR result = ::DialogBoxParamW(CurrentResourceModule(), MAKEINTRESOURCEW(templateId_), parent,
                                             &Dialog::DialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    modal_ = false;
    return result;
}

bool Dialog::Create(HWND parent)
{
    if (window_ != nullptr) {
        return true;
    }
    modal_ = false;
    return ::CreateDialogParamW(CurrentResourceModule(), MAKEINTRESOURCEW(templateId_), parent,
                                &Dialog::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::DestroyWindow()
{
    if (window_ != nullptr && !modal_) {
        ::DestroyWindow(window_);
    }
}

std::wstring TextOfWindow(HWND window)
{
    const int length = window != nullptr ? ::GetWindowTextLengthW(window) : 0;
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

std::wstring Dialog::ItemText(int id) const
{
    return TextOfWindow(Item(id));
}

void Dialog::SetItemText(int id, const std::wstring& text) const
{
    ::SetDlgItemTextW(window_, id, text.c_str());
}

void Dialog::EnableItem(int id, bool enable) const
{
    ::EnableWindow(Item(id), enable ? TRUE : FALSE);
}

void Dialog::ShowItem(int id, bool show) const
{
    ::ShowWindow(Item(id), show ? SW_SHOW : SW_HIDE);
}

int Dialog::ShowMessage(const std::wstring& text, UINT flags) const
{
    wchar_t caption[256] = {};
    ::GetWindowTextW(window_, caption, 256);
    return ::MessageBoxW(window_, text.c_str(), caption, flags);
}

void Dialog::EndDialog(INT_PTR result)
{
    if (modal_) {
        ::EndDialog(window_, result);
    } else {
        ::ShowWindow(window_, SW_HIDE);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->window_ = window;
        ::SetWindowLongPtrW(window, DWLP_USER, lParam);
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
        return FALSE;
    }
    return self->HandleMessage(message, wParam, lParam);
}

bool Dialog::RouteCommand(int id, int code, HWND control)
{
    for (BrowseEdit* edit : browseEdits_) {
        if (edit->OwnsButton(control) && code == BN_CLICKED) {
            edit->OnBrowse();
            return true;
        }
    }
    if (OnCommand(id, code, control)) {
        return true;
    }
    if (id == IDOK && (code == BN_CLICKED || control == nullptr)) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = 0;
    if (message != WM_INITDIALOG && OnMessage(message, wParam, lParam, result)) {
        return result;
    }
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
        return RouteCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY: {
        LRESULT notifyResult = 0;
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), notifyResult)) {
            ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, notifyResult);
            return TRUE;
        }
        return FALSE;
    }
    case WM_CLOSE:
        OnClose();
        return TRUE;
    default:
        return FALSE;
    }
}
