#pragma once

#include <string>
#include <string_view>

#include "export_test_support.h"

// A small machine: <folder>/Mill.mcfg, its user configuration in
// <folder>/Mill/config.json assigning parts\base.stl to the base, and that
// geometry file. Returns the document's path.
std::wstring WriteSampleMachine(const PortableScratchFolder& scratch, std::string_view folder = "machines");

inline constexpr wchar_t kSampleGuid[] = L"6F9619FF-8B86-D011-B42D-00C04FC964FF";
inline constexpr char kSampleGeometry[] = "solid base\nendsolid base\n";
