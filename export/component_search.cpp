#include "component_search.h"

#include <utility>

#include "json_document.h"

// JsonCpp keeps object members in a map ordered by memcmp of their names, so
// iterating a Value visits them in ascending byte order. Depth is bounded by
// the reader's nesting limit.

Json::Value* FindComponentByGuid(Json::Value& value, std::string_view guid)
{
    if (const Json::Value* member = FindMember(std::as_const(value), "GUID")) {
        const std::optional<std::string> text = JsonText(*member);
        if (text && *text == guid) {
            return &value;
        }
    }
    if (value.isObject() || value.isArray()) {
        for (Json::Value& child : value) {
            if (Json::Value* found = FindComponentByGuid(child, guid)) {
                return found;
            }
        }
    }
    return nullptr;
}

void CollectGeometryPaths(const Json::Value& value, std::vector<std::string>& paths)
{
    if (const Json::Value* path = FindMember(value, "Path")) {
        if (std::optional<std::string> text = JsonText(*path)) {
            paths.push_back(std::move(*text));
        }
    }
    if (value.isObject() || value.isArray()) {
        for (const Json::Value& child : value) {
            CollectGeometryPaths(child, paths);
        }
    }
}
