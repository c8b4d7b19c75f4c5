#pragma once

#include <windows.h>

#include <string>

class Dialog;

// The browse button's control id is its edit's id plus this, so that it can be
// found like any control of the template.
inline constexpr int kBrowseButtonIdOffset = 0x100;

// An edit control of a dialog template with a small browse button at its right
// end. Derived classes decide what the button does.
class BrowseEdit {
public:
    BrowseEdit() = default;
    virtual ~BrowseEdit();
    BrowseEdit(const BrowseEdit&) = delete;
    BrowseEdit& operator=(const BrowseEdit&) = delete;

    // Binds to the edit control `id` of the dialog (call from its initialisation).
    void Attach(Dialog& dialog, int id);

    [[nodiscard]] HWND Edit() const noexcept { return edit_; }
    [[nodiscard]] HWND Button() const noexcept { return button_; }
    [[nodiscard]] bool OwnsButton(HWND control) const noexcept { return control != nullptr && control == button_; }

    std::wstring Text() const;
    void SetText(const std::wstring& text) const;
    void Show(bool show) const;

    virtual void OnBrowse() = 0;

private:
    Dialog* dialog_ = nullptr;
    HWND edit_ = nullptr;
    HWND button_ = nullptr;
};
