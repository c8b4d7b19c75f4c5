#pragma once

#include <string>

#include <json/json.h>

// A machine folder's "config.json", loaded for an update.
struct UserConfiguration {
    Json::Value root;
    // Empty when the file can be updated. Otherwise it says why not, and the
    // file must be left alone: it may hold what the user made.
    std::string error;
};

// A missing file gives a fresh configuration. A file that is not JSON, or whose
// "UserConfiguration" is not an object or "Models" not an array, is refused.
UserConfiguration LoadUserConfiguration(const std::wstring& path);

// Makes the model {"GUID": componentGuid, "Geometry": geometry} the component's
// only one: it takes the place of the first model with that GUID (further ones
// go), or comes last.
void PutModel(UserConfiguration& configuration, const std::string& componentGuid, const Json::Value& geometry);

bool SaveUserConfiguration(const std::wstring& path, const UserConfiguration& configuration);
