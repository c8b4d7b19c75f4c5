#include "custom_browse_ctrl.h"

#include "file_dialog.h"

void CustomBrowseCtrl::OnBrowse()
{
    FileDialogRequest request;
    request.owner = Edit();
    request.filter = filter;
    request.defaultExtension = L"stl";
    if (const auto chosen = ShowOpenFileDialog(request)) {
        SetText(*chosen);
    }
}
