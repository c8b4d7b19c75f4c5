#pragma once

#include <string>

// The editor's geometry callback: asks the add-in over the pipe and, when it
// cannot be reached, lets the user choose STL files locally. Always leaves a
// NUL-terminated UTF-8 text within the editor's buffer.
void CreateStlCallback(char* buffer);

// Copies text with its terminator into the editor's buffer when it fits; else
// leaves the empty text. False when it did not fit.
bool CopyToEditorBuffer(const std::string& text, char* buffer);

// The local fallback: STL files chosen in a file dialog, joined with ";" in UTF-8;
// empty when the user cancelled.
std::string ChooseLocalStlFiles();
