#pragma once

#include <string>

#include "browse_edit.h"

// A file field of the export dialog: its button opens a save dialog (asking
// before it overwrites) or an open dialog, proposing the field's text or the
// default file name.
class CMyEditBrowseCtrl : public BrowseEdit {
public:
    void OnBrowse() override;

    std::wstring defaultFileName;
    std::wstring defaultExtension = L".TorlaSimBundle";
    std::wstring filter = L"TorlaSimBundle Files (*.TorlaSimBundle)|*.TorlaSimBundle||";
    bool saveMode = true;
};
