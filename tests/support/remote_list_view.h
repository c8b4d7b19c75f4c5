#pragma once

#include <windows.h>

#include <string>

#include "unique_handle.h"

// A report-view list control of any process, this one included. List view
// messages carry pointers that the system does not copy between processes, so
// each item record is placed in the list's own process.
class RemoteListView {
public:
    explicit RemoteListView(HWND list);

    [[nodiscard]] bool IsUsable() const { return process_.IsValid(); }
    [[nodiscard]] int RowCount() const;
    [[nodiscard]] bool IsChecked(int row) const;
    // Ticks or clears the row's check box; the list tells its parent as after a click.
    bool SetChecked(int row, bool checked) const;
    [[nodiscard]] std::wstring CellText(int row, int column) const;

private:
    HWND list_;
    UniqueHandle process_;
};
