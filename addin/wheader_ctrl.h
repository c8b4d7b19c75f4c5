#pragma once

#include <windows.h>

#include <string>

// The picker's level list: a report-view list control with check boxes whose
// rows keep their order (the header does not sort).
class WHeaderCtrl {
public:
    void Attach(HWND list) noexcept { list_ = list; }
    [[nodiscard]] HWND Handle() const noexcept { return list_; }

    // Adds a left-aligned column of percent of the client width; a negative
    // percentage takes what the columns before it leave.
    void AddColumn(const std::wstring& title, int percent);
    // Widens the last column so that the columns fill the list exactly.
    void FillWidthWithLastColumn();

    int AddRow(const std::wstring& first, const std::wstring& second, const std::wstring& third);
    void DeleteAllRows();
    [[nodiscard]] int RowCount() const;
    [[nodiscard]] bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    [[nodiscard]] std::wstring CellText(int row, int column) const;

private:
    [[nodiscard]] int ClientWidth() const;
    [[nodiscard]] int ColumnCount() const;
    HWND list_ = nullptr;
};
