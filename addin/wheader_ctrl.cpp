#include "wheader_ctrl.h"

#include <commctrl.h>

#include <algorithm>

int WHeaderCtrl::ClientWidth() const
{
    RECT client{};
    ::GetClientRect(list_, &client);
    return client.right - client.left;
}

int WHeaderCtrl::ColumnCount() const
{
    return Header_GetItemCount(ListView_GetHeader(list_));
}

void WHeaderCtrl::AddColumn(const std::wstring& title, int percent)
{
    const int width = ClientWidth();
    int columnWidth = width * percent / 100;
    if (percent < 0) {
        int used = 0;
        for (int i = 0; i < ColumnCount(); ++i) {
            used += ListView_GetColumnWidth(list_, i);
        }
        columnWidth = std::max(0, width - used);
    }
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = columnWidth;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    ListView_InsertColumn(list_, ColumnCount(), &column);
}

void WHeaderCtrl::FillWidthWithLastColumn()
{
    const int count = ColumnCount();
    if (count == 0) {
        return;
    }
    int used = 0;
    for (int i = 0; i < count; ++i) {
        used += ListView_GetColumnWidth(list_, i);
    }
    const int last = ListView_GetColumnWidth(list_, count - 1);
    ListView_SetColumnWidth(list_, count - 1, std::max(0, last + ClientWidth() - used));
}

int WHeaderCtrl::AddRow(const std::wstring& first, const std::wstring& second, const std::wstring& third)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<wchar_t*>(first.c_str());
    const int row = ListView_InsertItem(list_, &item);
    ListView_SetItemText(list_, row, 1, const_cast<wchar_t*>(second.c_str()));
    ListView_SetItemText(list_, row, 2, const_cast<wchar_t*>(third.c_str()));
    ListView_SetCheckState(list_, row, FALSE);
    return row;
}

void WHeaderCtrl::DeleteAllRows()
{
    ListView_DeleteAllItems(list_);
}

int WHeaderCtrl::RowCount() const
{
    return ListView_GetItemCount(list_);
}

bool WHeaderCtrl::IsChecked(int row) const
{
    return ListView_GetCheckState(list_, row) != FALSE;
}

void WHeaderCtrl::SetChecked(int row, bool checked)
{
    ListView_SetCheckState(list_, row, checked ? TRUE : FALSE);
}

std::wstring WHeaderCtrl::CellText(int row, int column) const
{
    wchar_t text[512] = {};
    ListView_GetItemText(list_, row, column, text, 512);
    return text;
}
