#pragma once

#include <string>

// The answer to a geometry request: entries joined by ";". A generated file is
// its path, "@" and its colour text; a chosen existing file is its path alone.
class StlPathList {
public:
    void AddGenerated(const std::wstring& path, const std::wstring& colourText);
    void AddExisting(const std::wstring& path);

    [[nodiscard]] bool Empty() const noexcept { return entries_ == 0; }
    [[nodiscard]] const std::wstring& Text() const noexcept { return text_; }

private:
    void Add(const std::wstring& entry);
    std::wstring text_;
    int entries_ = 0;
};

// The file name for a named selection: the name up to its last ".", then ".stl".
std::wstring SelectionFileName(const std::wstring& typedName);
