#include "json_document.h"

#include <json/reader.h>
#include <json/writer.h>

#include <algorithm>
#include <exception>
#include <utility>

std::optional<Json::Value> ParseJsonDocument(std::span<const std::uint8_t> bytes)
{
    const char* begin = reinterpret_cast<const char*>(bytes.data());
    const char* end = begin + bytes.size();
    end = std::find(begin, end, '\0');
    try {
        Json::Reader reader;
        Json::Value document;
        if (!reader.parse(begin, end, document, true)) {
            return std::nullopt;
        }
        return document;
    } catch (const std::exception&) {
        // The reader throws when the nesting passes its stack limit.
        return std::nullopt;
    }
}

std::string WriteStyledDocument(const Json::Value& document)
{
    Json::StyledWriter writer;
    return writer.write(document);
}

std::optional<std::string> JsonText(const Json::Value& value)
{
    if (value.isObject() || value.isArray()) {
        return std::nullopt;
    }
    if (value.isNull()) {
        return std::string();
    }
    return value.asString();
}

const Json::Value* FindMember(const Json::Value& value, std::string_view name)
{
    return value.isObject() ? value.find(name.data(), name.data() + name.size()) : nullptr;
}

Json::Value* FindMember(Json::Value& value, std::string_view name)
{
    if (FindMember(std::as_const(value), name) == nullptr) {
        return nullptr;
    }
    return &value[Json::String(name)];
}
