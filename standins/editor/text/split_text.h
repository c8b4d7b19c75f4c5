#pragma once

#include <string_view>
#include <vector>

// The parts of a text between separators, empty parts included: "a;;b" gives
// "a", "", "b" and an empty text gives one empty part. The parts point into `text`.
std::vector<std::string_view> SplitText(std::string_view text, char separator);
