#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The add-in's geometry work in the host drawing: which levels it offers, the
// interactive selection, and STL files written by the host's own writer.

// Offered levels by number, ascending, without the ones the simulator reserves.
using LevelList = std::map<std::int32_t, std::wstring>;

enum class StlWriteResult {
    Written,
    NothingToWrite,  // no live entity of a type that becomes STL
    CannotWrite,     // the file could not be opened for writing
};

LevelList ListLevels();

// Lets the user pick entities in the host; returns their entity numbers in the
// host's order. The host selection is empty afterwards.
std::vector<std::int32_t> SelectInHost();

// Writes the level's (or the remembered selection's) entities as STL with the
// host's colour of the highest colour index among them.
StlWriteResult WriteLevelStl(std::int32_t level, const std::wstring& path, double tolerance, std::uint32_t& colour);
StlWriteResult WriteSelectionStl(const std::vector<std::int32_t>& entityNumbers, const std::wstring& path,
                                 double tolerance, std::uint32_t& colour);
