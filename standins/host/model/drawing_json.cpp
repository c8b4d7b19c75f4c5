#include "drawing_json.h"

#include <json/json.h>

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <set>
#include <stdexcept>

#include "entity_types.h"

namespace standin {

namespace {

// Thrown with the member's path and what is wrong with it; caught once at the top.
struct FormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail(const std::string& where, const std::string& what)
{
    throw FormatError(where + ": " + what);
}

void RejectUnknownMembers(const Json::Value& object, const std::string& where,
                          std::initializer_list<const char*> known)
{
    for (const std::string& name : object.getMemberNames()) {
        bool isKnown = false;
        for (const char* candidate : known) {
            isKnown = isKnown || name == candidate;
        }
        if (!isKnown) {
            Fail(where, "unknown member \"" + name + "\"");
        }
    }
}

const Json::Value& Object(const Json::Value& value, const std::string& where)
{
    if (!value.isObject()) {
        Fail(where, "must be an object");
    }
    return value;
}

const Json::Value& Array(const Json::Value& value, const std::string& where)
{
    if (!value.isArray()) {
        Fail(where, "must be an array");
    }
    return value;
}

const Json::Value& Required(const Json::Value& object, const char* name, const std::string& where)
{
    if (!object.isMember(name)) {
        Fail(where, std::string("missing member \"") + name + "\"");
    }
    return object[name];
}

std::int32_t Int32(const Json::Value& value, const std::string& where)
{
    if (!value.isInt()) {
        Fail(where, "must be a 32-bit integer");
    }
    return value.asInt();
}

bool Bool(const Json::Value& object, const char* name, bool fallback, const std::string& where)
{
    if (!object.isMember(name)) {
        return fallback;
    }
    if (!object[name].isBool()) {
        Fail(where + "." + name, "must be true or false");
    }
    return object[name].asBool();
}

double Positive(const Json::Value& object, const char* name, const std::string& where)
{
    const Json::Value& value = Required(object, name, where);
    if (!value.isNumeric() || !(value.asDouble() > 0) || !std::isfinite(value.asDouble())) {
        Fail(where + "." + name, "must be a number above zero");
    }
    return value.asDouble();
}

Point3 Point(const Json::Value& object, const char* name, const std::string& where)
{
    const Json::Value& value = Required(object, name, where);
    if (!value.isArray() || value.size() != 3) {
        Fail(where + "." + name, "must be an array of three numbers");
    }
    Point3 point{};
    for (Json::ArrayIndex i = 0; i < 3; ++i) {
        if (!value[i].isNumeric() || !std::isfinite(value[i].asDouble())) {
            Fail(where + "." + name, "must be an array of three numbers");
        }
        point[i] = value[i].asDouble();
    }
    return point;
}

// The whole text as a number in the base, digits only (no sign, no blanks).
std::optional<unsigned> WholeNumber(std::string_view text, int base)
{
    unsigned number = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, number, base);
    if (text.empty() || error != std::errc() || end != last || text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    return number;
}

std::uint32_t Rgb(const Json::Value& value, const std::string& where)
{
    // "#RRGGBB" as people write colours; the host keeps red in the low byte.
    const std::string text = value.isString() ? value.asString() : std::string();
    const auto rgb = text.size() == 7 && text[0] == '#' ? WholeNumber(std::string_view(text).substr(1), 16)
                                                        : std::nullopt;
    if (!rgb) {
        Fail(where, "must be a colour written \"#RRGGBB\"");
    }
    const unsigned red = (*rgb >> 16) & 0xFF, green = (*rgb >> 8) & 0xFF, blue = *rgb & 0xFF;
    return red | (green << 8) | (blue << 16);
}

ColourTable ParseColourTable(const Json::Value& value, const std::string& where)
{
    ColourTable table;
    for (const std::string& name : Object(value, where).getMemberNames()) {
        const std::string memberWhere = where + "." + name;
        const auto index = name.size() <= 3 ? WholeNumber(name, 10) : std::nullopt;
        if (!index || *index > 255) {
            Fail(memberWhere, "a colour index must be a number from 0 to 255");
        }
        table[static_cast<int>(*index)] = Rgb(value[name], memberWhere);
    }
    return table;
}

Level ParseLevel(const Json::Value& value, const std::string& where)
{
    RejectUnknownMembers(Object(value, where), where, {"number", "name", "active"});
    Level level;
    level.number = Int32(Required(value, "number", where), where + ".number");
    const Json::Value& name = Required(value, "name", where);
    if (!name.isString()) {
        Fail(where + ".name", "must be a text");
    }
    level.name = name.asString();
    level.active = Bool(value, "active", true, where);
    return level;
}

Shape ParseShape(const Json::Value& value, const std::string& where)
{
    Object(value, where);
    if (value.size() != 1) {
        Fail(where, "must hold exactly one of \"box\", \"cylinder\", \"sphere\"");
    }
    const std::string kind = value.getMemberNames().front();
    const std::string shapeWhere = where + "." + kind;
    const Json::Value& shape = Object(value[kind], shapeWhere);
    if (kind == "box") {
        RejectUnknownMembers(shape, shapeWhere, {"corner", "size"});
        Box box{Point(shape, "corner", shapeWhere), Point(shape, "size", shapeWhere)};
        for (double extent : box.size) {
            if (!(extent > 0)) {
                Fail(shapeWhere + ".size", "every extent must be above zero");
            }
        }
        return box;
    }
    if (kind == "cylinder") {
        RejectUnknownMembers(shape, shapeWhere, {"base", "radius", "height"});
        return Cylinder{Point(shape, "base", shapeWhere), Positive(shape, "radius", shapeWhere),
                        Positive(shape, "height", shapeWhere)};
    }
    if (kind == "sphere") {
        RejectUnknownMembers(shape, shapeWhere, {"centre", "radius"});
        return Sphere{Point(shape, "centre", shapeWhere), Positive(shape, "radius", shapeWhere)};
    }
    Fail(where, "unknown shape \"" + kind + "\"");
}

Entity ParseEntity(const Json::Value& value, const std::string& where)
{
    RejectUnknownMembers(Object(value, where), where,
                         {"number", "type", "level", "colour", "selected", "deleted", "shape"});
    Entity entity;
    entity.number = Int32(Required(value, "number", where), where + ".number");
    const Json::Value& type = Required(value, "type", where);
    const auto code = type.isString() ? ParseTypeCode(type.asString()) : std::nullopt;
    if (!code) {
        Fail(where + ".type", "must be a type name (\"solid\", \"line\", ...) or a code written \"0x...\"");
    }
    entity.typeCode = *code;
    entity.level = Int32(Required(value, "level", where), where + ".level");
    if (value.isMember("colour")) {
        const std::int32_t colour = Int32(value["colour"], where + ".colour");
        if (colour < 0 || colour > 255) {
            Fail(where + ".colour", "must be a colour index from 0 to 255");
        }
        entity.colourIndex = static_cast<std::uint8_t>(colour);
    }
    entity.selected = Bool(value, "selected", false, where);
    entity.deleted = Bool(value, "deleted", false, where);
    if (value.isMember("shape")) {
        entity.shape = ParseShape(value["shape"], where + ".shape");
    }
    return entity;
}

Drawing ParseRoot(const Json::Value& root)
{
    RejectUnknownMembers(Object(root, "drawing"), "drawing", {"units", "colourTable", "levels", "entities"});
    Drawing drawing;
    const Json::Value& units = Required(root, "units", "drawing");
    if (units != "mm" && units != "inch") {
        Fail("units", "must be \"mm\" or \"inch\"");
    }
    drawing.metric = units == "mm";
    if (root.isMember("colourTable")) {
        drawing.colourTable = ParseColourTable(root["colourTable"], "colourTable");
    }
    const Json::Value& levels = Array(Required(root, "levels", "drawing"), "levels");
    std::set<std::int32_t> levelNumbers;
    for (Json::ArrayIndex i = 0; i < levels.size(); ++i) {
        const std::string where = "levels[" + std::to_string(i) + "]";
        drawing.levels.push_back(ParseLevel(levels[i], where));
        if (!levelNumbers.insert(drawing.levels.back().number).second) {
            Fail(where + ".number", "level " + std::to_string(drawing.levels.back().number) + " is listed twice");
        }
    }
    const Json::Value& entities = Array(Required(root, "entities", "drawing"), "entities");
    for (Json::ArrayIndex i = 0; i < entities.size(); ++i) {
        drawing.entities.push_back(ParseEntity(entities[i], "entities[" + std::to_string(i) + "]"));
    }
    return drawing;
}

} // namespace

DrawingParseResult ParseDrawing(std::string_view json)
{
    Json::CharReaderBuilder builder;
    builder["collectComments"] = false;
    builder["rejectDupKeys"] = true;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string syntaxError;
    if (!reader->parse(json.data(), json.data() + json.size(), &root, &syntaxError)) {
        // One line, as callers put it into logs and messages.
        std::string message;
        for (char c : syntaxError) {
            if (c == '\n' || c == '\r') {
                c = ' ';
            }
            if (c != ' ' || (!message.empty() && message.back() != ' ')) {
                message += c;
            }
        }
        while (!message.empty() && message.back() == ' ') {
            message.pop_back();
        }
        return {std::nullopt, "not valid JSON: " + message};
    }
    try {
        return {ParseRoot(root), {}};
    } catch (const FormatError& error) {
        return {std::nullopt, error.what()};
    }
}

} // namespace standin
