#pragma once

#include <json/value.h>

#include <string>
#include <string_view>
#include <vector>

// The first object, in pre-order (an object before its members, members in
// ascending byte order of their names, array elements in index order), whose
// member "GUID" as text equals `guid` byte for byte; nullptr when there is none.
// A "GUID" that is an object or an array matches nothing. The result points
// into `value`.
Json::Value* FindComponentByGuid(Json::Value& value, std::string_view guid);

// Appends, in the same order, the text of every member "Path" found in
// objects; a "Path" that is an object or an array has no text and is left out.
void CollectGeometryPaths(const Json::Value& value, std::vector<std::string>& paths);
