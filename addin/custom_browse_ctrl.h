#pragma once

#include <string>

#include "browse_edit.h"

// The picker's STL file field: its button chooses one existing STL file.
class CustomBrowseCtrl : public BrowseEdit {
public:
    void OnBrowse() override;

    bool fileMode = true;
    std::wstring filter = L"STL Files (*.stl)|*.stl||";
};
