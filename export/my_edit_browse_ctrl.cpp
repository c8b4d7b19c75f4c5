#include "my_edit_browse_ctrl.h"

#include "file_dialog.h"

void CMyEditBrowseCtrl::OnBrowse()
{
    FileDialogRequest request;
    request.owner = Edit();
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    const std::wstring text = Text();
    request.initialName = text.empty() ? defaultFileName : text;
    const auto chosen = saveMode ? ShowSaveFileDialog(request) : ShowOpenFileDialog(request);
    if (chosen) {
        SetText(*chosen);
    }
}
