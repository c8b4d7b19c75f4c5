#include "user_configuration.h"

#include <optional>

#include "component_search.h"
#include "export_failure.h"
#include "json_document.h"
#include "text_encoding.h"
#include "whole_file.h"

namespace {

// The "Models" array of a user configuration, or nullptr when it has none.
const Json::Value* ModelsOf(const Json::Value& configuration)
{
    const Json::Value* user = FindMember(configuration, "UserConfiguration");
    const Json::Value* models = user != nullptr ? FindMember(*user, "Models") : nullptr;
    return models != nullptr && models->isArray() ? models : nullptr;
}

} // namespace

bool MergeUserConfiguration(Json::Value& document, const std::wstring& configurationPath, std::string* failure)
{
    Json::Value* definition = FindMember(document, "MachineDefinition");
    if (definition == nullptr || !definition->isObject()) {
        return Fail(failure, "the machine document has no \"MachineDefinition\" object");
    }
    Bytes bytes;
    const int read = ReadWholeFile(configurationPath, bytes);
    if (read != kWholeFileRead) {
        return Fail(failure, DescribeReadFailure(read, configurationPath));
    }
    const std::optional<Json::Value> configuration = ParseJsonDocument(bytes);
    if (!configuration) {
        return Fail(failure, "the user configuration " + WideToUtf8(configurationPath) + " is not valid JSON");
    }
    const Json::Value* models = ModelsOf(*configuration);
    if (models == nullptr) {
        return true;
    }
    for (const Json::Value& model : *models) {
        if (!model.isObject()) {
            continue;
        }
        const Json::Value* guidMember = FindMember(model, "GUID");
        const std::optional<std::string> guid = guidMember != nullptr ? JsonText(*guidMember) : std::string();
        if (!guid || guid->empty()) {
            continue;
        }
        if (Json::Value* component = FindComponentByGuid(*definition, *guid)) {
            const Json::Value* geometry = FindMember(model, "Geometry");
            (*component)["Geometry"] = geometry != nullptr ? *geometry : Json::Value();
        }
    }
    return true;
}
