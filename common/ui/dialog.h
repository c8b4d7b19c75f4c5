#pragma once

#include <windows.h>

#include <string>
#include <vector>

class BrowseEdit;

// The whole text of a window or control.
std::wstring TextOfWindow(HWND window);

// A dialog made from a resource template, modal or modeless, whose messages
// reach virtual handlers of the derived class. The template is loaded from the
// current resource module when the window is made.
class Dialog {
public:
    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs a modal loop; returns the code given to EndDialog, or -1 when the
    // window could not be made.
    INT_PTR DoModal(HWND parent);
    // Makes the window without showing it (unless the template says so).
    bool Create(HWND parent);
    void DestroyWindow();

    [[nodiscard]] HWND Handle() const noexcept { return window_; }
    [[nodiscard]] HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    [[nodiscard]] bool IsModal() const noexcept { return modal_; }

    std::wstring ItemText(int id) const;
    void SetItemText(int id, const std::wstring& text) const;
    void EnableItem(int id, bool enable) const;
    void ShowItem(int id, bool show) const;
    int ShowMessage(const std::wstring& text, UINT flags) const;

    // Ends a modal dialog with the code; hides a modeless one.
    void EndDialog(INT_PTR result);

protected:
    virtual bool OnInitDialog() { return true; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Closing from the caption; the same as Cancel unless overridden.
    virtual void OnClose() { OnCancel(); }
    // A command other than OK and Cancel; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // A notification from a control; true when handled (result goes back to the control).
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // Any other message; true when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/)
    {
        return false;
    }

private:
    friend class BrowseEdit;
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool RouteCommand(int id, int code, HWND control);

    int templateId_;
    HWND window_ = nullptr;
    bool modal_ = false;
    std::vector<BrowseEdit*> browseEdits_;
};
