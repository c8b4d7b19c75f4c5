#pragma once

#include <string>
#include <vector>

struct AssignmentResult {
    bool ok = false;
    std::vector<std::string> storedFiles; // names in the machine folder, in answer order
    std::string message;                  // why it failed
};

// What the user does in the editor when giving a component the geometry that
// the host answered: the answered STL files are copied into the machine folder
// (the folder named after the document, beside it, made when missing) and the
// folder's config.json gets the component's model, each file with its colour.
// Fails without touching config.json when the answer names no file, a file
// cannot be read, or config.json cannot be updated safely.
AssignmentResult AssignGeometry(const std::wstring& machineDocument, const std::string& componentGuid,
                                const std::string& stlPathList);
