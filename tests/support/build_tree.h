#pragma once

#include <filesystem>
#include <string>

// A file of the build tree, given relative to the folder of the test programs.
// RIGSMITH_DIST_FROM_TESTS and RIGSMITH_FRAMEWRIGHT_WITHOUT_RUN_FROM_TESTS name
// the install directory and the editor variant without its run entry.
std::filesystem::path BuildTreeFile(const std::string& relativeToTests);

// A file of the product's install directory in the build tree.
std::filesystem::path DistFile(const std::string& relativeToDist);
