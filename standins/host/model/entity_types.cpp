#include "entity_types.h"

#include <charconv>
#include <cstdio>

namespace standin {

namespace {

const EntityType* FindByCode(std::uint32_t code)
{
    for (const EntityType& type : kEntityTypes) {
        if (type.code == code) {
            return &type;
        }
    }
    return nullptr;
}

} // namespace

EntityKind KindOfType(std::uint32_t code)
{
    const EntityType* type = FindByCode(code);
    return type ? type->kind : EntityKind::Other;
}

std::string TypeName(std::uint32_t code)
{
    if (const EntityType* type = FindByCode(code)) {
        return std::string(type->name);
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(code));
    return text;
}

std::optional<std::uint32_t> ParseTypeCode(std::string_view text)
{
    for (const EntityType& type : kEntityTypes) {
        if (type.name == text) {
            return type.code;
        }
    }
    if (text.size() < 3 || text.substr(0, 2) != "0x") {
        return std::nullopt;
    }
    std::uint32_t code = 0;
    const char* first = text.data() + 2;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, code, 16);
    if (error != std::errc() || end != last) {
        return std::nullopt;
    }
    return code;
}

} // namespace standin
