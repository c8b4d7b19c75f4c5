#include "machine_preparation.h"

#include <cryptopp/osrng.h>

#include <array>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

#include "component_search.h"
#include "export_failure.h"
#include "file_set_archive.h"
#include "json_document.h"
#include "machine_paths.h"
#include "signed_container.h"
#include "signing_key.h"
#include "text_encoding.h"
#include "user_configuration.h"
#include "whole_file.h"

namespace {

constexpr char kDefinitionEntry[] = "config.json";

constexpr std::array<std::wstring_view, 3> kOrientations = {L"Vertical", L"Horizontal", L"Lathe"};

// Writes the export's GUID and orientation into the definition's "Header",
// which is made (as null, becoming an object once a member is set) when it is missing.
bool UpdateHeader(Json::Value& definition, const std::wstring& orientation, std::wstring* guid, std::string* failure)
{
    Json::Value& header = definition["Header"];
    if (!header.isNull() && !header.isObject()) {
        return Fail(failure, "the machine's \"Header\" is not an object");
    }
    if (guid != nullptr) {
        if (!guid->empty()) {
            header["GUID"] = WideToUtf8(*guid);
        } else {
            const Json::Value* current = FindMember(std::as_const(header), "GUID");
            const std::optional<std::string> text = current != nullptr ? JsonText(*current) : std::string();
            if (!text) {
                return Fail(failure, "the machine's \"GUID\" is not text");
            }
            *guid = Utf8ToWide(*text);
        }
    }
    for (const std::wstring_view known : kOrientations) {
        if (orientation == known) {
            header["Orientation"] = WideToUtf8(orientation);
        }
    }
    return true;
}

// One entry per geometry file found, under the name the document gives it.
FileSet GatherGeometry(const std::vector<std::string>& paths, const MachineDocumentNames& names)
{
    FileSet files;
    for (const std::string& path : paths) {
        // "config.json" becomes the definition text; a file seen before, or a
        // name no file can have, needs no second look.
        if (path.empty() || path == kDefinitionEntry || files.contains(path) ||
            path.find('\0') != std::string::npos) {
            continue;
        }
        const std::wstring widePath = Utf8ToWide(path);
        for (const std::wstring& candidate : {names.machineFolder + widePath, names.containingFolder + L'\\' + widePath}) {
            if (IsReadableFile(candidate)) {
                // A file that cannot then be read whole keeps its entry, without bytes.
                ReadWholeFile(candidate, files[path]);
                break;
            }
        }
    }
    return files;
}

std::optional<Bytes> ArchiveAndSign(FileSet&& files, const CryptoPP::InvertibleRSAFunction& key,
                                    CryptoPP::RandomNumberGenerator& random, const ExportProgress& progress,
                                    std::string_view step, std::string& failure)
{
    std::optional<Bytes> archive = ArchiveFileSet(std::move(files), progress, step);
    if (!archive) {
        failure = "the archive would be larger than 4 GiB, or compressing it failed";
        return std::nullopt;
    }
    std::optional<Bytes> container = SignPayload(key, random, std::move(*archive));
    if (!container) {
        failure = "signing failed";
    }
    return container;
}

PreparedMachine Prepare(const std::wstring& documentPath, const std::wstring& orientation, std::wstring* guid,
                        const ExportProgress& progress)
{
    PreparedMachine prepared;
    std::string& failure = prepared.failure;
    const MachineDocumentNames names = DeriveMachineDocumentNames(documentPath);
    Bytes documentBytes;
    const int read = ReadWholeFile(documentPath, documentBytes);
    if (read != kWholeFileRead) {
        failure = DescribeReadFailure(read, documentPath);
        return prepared;
    }
    std::optional<Json::Value> document = ParseJsonDocument(documentBytes);
    documentBytes = Bytes();
    if (!document) {
        failure = "the machine document " + WideToUtf8(documentPath) + " is not valid JSON";
        return prepared;
    }
    if (!MergeUserConfiguration(*document, names.machineFolder + L"config.json", &failure)) {
        return prepared;
    }
    Json::Value& definition = (*document)["MachineDefinition"];
    if (!UpdateHeader(definition, orientation, guid, &failure)) {
        return prepared;
    }
    const std::string definitionText = WriteStyledDocument(*document);

    std::vector<std::string> paths;
    CollectGeometryPaths(definition, paths);
    FileSet machineFiles = GatherGeometry(paths, names);
    const Bytes definitionBytes(definitionText.begin(), definitionText.end());
    machineFiles[kDefinitionEntry] = definitionBytes;
    FileSet configurationFiles;
    configurationFiles[kDefinitionEntry] = definitionBytes;

    CryptoPP::AutoSeededRandomPool random;
    CryptoPP::InvertibleRSAFunction key;
    if (!LoadSigningKey(key)) {
        failure = "the signing key cannot be loaded";
        return prepared;
    }
    std::optional<Bytes> machinePayload =
        ArchiveAndSign(std::move(machineFiles), key, random, progress, "compressing the machine", failure);
    if (!machinePayload) {
        return prepared;
    }
    std::optional<Bytes> configurationPayload =
        ArchiveAndSign(std::move(configurationFiles), key, random, {}, "compressing the configuration", failure);
    if (!configurationPayload) {
        return prepared;
    }
    prepared.machinePayload = std::move(*machinePayload);
    prepared.configurationPayload = std::move(*configurationPayload);
    prepared.ok = true;
    return prepared;
}

} // namespace

PreparedMachine PrepareMachineExport(const std::wstring& documentPath, const std::wstring& orientation,
                                     std::wstring* guid, const ExportProgress& progress)
{
    try {
        return Prepare(documentPath, orientation, guid, progress);
    } catch (const std::exception& e) {
        PreparedMachine failed;
        failed.failure = std::string("the preparation failed: ") + e.what();
        return failed;
    }
}
