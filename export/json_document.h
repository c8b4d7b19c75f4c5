#pragma once

#include <json/value.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Parses a machine document or user configuration the way the simulator's own
// files are read: JsonCpp's Reader with its default features, comments kept
// with the values, and the text ending at the first zero byte. Empty when the
// text is not valid JSON (or nests deeper than the reader allows).
std::optional<Json::Value> ParseJsonDocument(std::span<const std::uint8_t> bytes);

// The document in JsonCpp's styled layout, with its comments.
std::string WriteStyledDocument(const Json::Value& document);

// A value "as text": a string as it is, null as "", a number or bool in
// JsonCpp's text form. Empty for an object or an array, which have no text.
std::optional<std::string> JsonText(const Json::Value& value);

// The member `name` of an object; nullptr when `value` is not an object or has no such member.
const Json::Value* FindMember(const Json::Value& value, std::string_view name);
Json::Value* FindMember(Json::Value& value, std::string_view name);
