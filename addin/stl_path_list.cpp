#include "stl_path_list.h"

void StlPathList::Add(const std::wstring& entry)
{
    if (entries_ > 0) {
        text_ += L';';
    }
    text_ += entry;
    ++entries_;
}

void StlPathList::AddGenerated(const std::wstring& path, const std::wstring& colourText)
{
    Add(path + L"@" + colourText);
}

void StlPathList::AddExisting(const std::wstring& path)
{
    Add(path);
}

std::wstring SelectionFileName(const std::wstring& typedName)
{
    const size_t dot = typedName.rfind(L'.');
    return (dot == std::wstring::npos ? typedName : typedName.substr(0, dot)) + L".stl";
}
