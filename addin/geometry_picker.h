#pragma once

#include <string>

// What the geometry channel needs of the picker that answers its requests.
class GeometryPicker {
public:
    virtual ~GeometryPicker() = default;

    // Called on the channel's thread; returns when the user has finished, with
    // the STL path list (empty when the user cancelled).
    virtual std::wstring RequestStlPaths() = 0;

    // The folder (with its final separator) into which generated files go.
    virtual void SetOutputDirectory(const std::wstring& directory) = 0;

    // Ends an open request as if the user had cancelled and makes every later
    // request return the empty list at once, so the channel can stop while the
    // picker is shown.
    virtual void Shutdown() = 0;
};
