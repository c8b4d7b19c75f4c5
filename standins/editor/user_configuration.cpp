#include "user_configuration.h"

#include <windows.h>

#include <memory>

#include "file_bytes.h"

namespace {

bool IsModelOf(const Json::Value& model, const std::string& componentGuid)
{
    return model.isObject() && model["GUID"].isString() && model["GUID"].asString() == componentGuid;
}

UserConfiguration Refused(std::string why) { return {Json::Value(), std::move(why)}; }

} // namespace

UserConfiguration LoadUserConfiguration(const std::wstring& path)
{
    UserConfiguration configuration;
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        configuration.root = Json::Value(Json::objectValue);
    } else {
        const std::optional<std::string> bytes = ReadFileBytes(path);
        if (!bytes) {
            return Refused("config.json cannot be read");
        }
        const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
        std::string errors;
        if (!reader->parse(bytes->data(), bytes->data() + bytes->size(), &configuration.root, &errors) ||
            !configuration.root.isObject()) {
            return Refused("config.json is not a JSON object");
        }
    }
    Json::Value& user = configuration.root["UserConfiguration"];
    if (user.isNull()) {
        user = Json::Value(Json::objectValue);
    }
    if (!user.isObject()) {
        return Refused("\"UserConfiguration\" in config.json is not an object");
    }
    Json::Value& models = user["Models"];
    if (models.isNull()) {
        models = Json::Value(Json::arrayValue);
    }
    if (!models.isArray()) {
        return Refused("\"Models\" in config.json is not an array");
    }
    return configuration;
}

void PutModel(UserConfiguration& configuration, const std::string& componentGuid, const Json::Value& geometry)
{
    Json::Value model(Json::objectValue);
    model["GUID"] = componentGuid;
    model["Geometry"] = geometry;

    Json::Value& models = configuration.root["UserConfiguration"]["Models"];
    Json::Value kept(Json::arrayValue);
    bool placed = false;
    for (const Json::Value& existing : models) {
        if (!IsModelOf(existing, componentGuid)) {
            kept.append(existing);
        } else if (!placed) {
            kept.append(model);
            placed = true;
        }
    }
    if (!placed) {
        kept.append(model);
    }
    models = std::move(kept);
}

bool SaveUserConfiguration(const std::wstring& path, const UserConfiguration& configuration)
{
    Json::StreamWriterBuilder writer;
    writer["indentation"] = "   ";
    return ReplaceFileBytes(path, Json::writeString(writer, configuration.root) + "\n");
}
