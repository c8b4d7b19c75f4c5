#pragma once

#include <string>
#include <string_view>
#include <vector>

// One entry of the host's answer to a geometry request.
struct StlPathEntry {
    std::string path;
    // "0x" and six hex digits for a file the host generated; empty for a file
    // the user picked as it was.
    std::string colour;
};

// Splits the answer at ";" and drops empty entries. A generated file carries
// "@" and its colour at its end; only a trailing "@0x" with exactly six hex
// digits counts as a colour, so a path that merely contains "@" stays whole.
std::vector<StlPathEntry> ParseStlPathList(std::string_view list);
