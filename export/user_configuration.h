#pragma once

#include <json/value.h>

#include <string>

// Gives the components of the document's "MachineDefinition" the geometry that
// the user configuration at `configurationPath` assigns to them by GUID: each
// model of "UserConfiguration"."Models" replaces the "Geometry" of the first
// component with its GUID. The document changes in memory only.
//
// Fails when the document has no "MachineDefinition" object or the user
// configuration cannot be read, is empty or is not JSON. A configuration
// without models (no object root, no "UserConfiguration" object, no "Models"
// array) changes nothing; models that are not objects, or whose "GUID" is
// empty, not text or unknown, are passed over.
// `failure`, when given, receives the reason for a failure.
bool MergeUserConfiguration(Json::Value& document, const std::wstring& configurationPath,
                            std::string* failure = nullptr);
