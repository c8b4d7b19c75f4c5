#include "machine_bundle_assembly.h"

#include <cryptopp/osrng.h>

#include <exception>
#include <utility>

#include "file_set_archive.h"
#include "signed_container.h"
#include "signing_key.h"

std::string MachineEntryName(std::string_view machineName)
{
    return std::string(machineName) + ".TorlaSim";
}

std::string ConfigurationEntryName(std::string_view machineName)
{
    return MachineEntryName(machineName) + "Cfg";
}

std::optional<Bytes> AssembleMachineBundle(PreparedMachine&& machine, std::string_view machineName,
                                           std::optional<PostFile> post, const ExportProgress& progress,
                                           std::string* failure)
{
    const auto fail = [failure](std::string reason) {
        if (failure != nullptr) {
            *failure = std::move(reason);
        }
        return std::nullopt;
    };
    try {
        if (!machine.ok) {
            return fail("the machine was not prepared");
        }
        FileSet files;
        files[MachineEntryName(machineName)] = std::move(machine.machinePayload);
        files[ConfigurationEntryName(machineName)] = std::move(machine.configurationPayload);
        machine = PreparedMachine();
        if (post) {
            // A post named like a payload would take its place in the bundle.
            if (files.contains(post->name)) {
                return fail("the post file " + post->name + " has the name of one of the machine's payloads");
            }
            files[post->name] = std::move(post->bytes);
        }
        CryptoPP::AutoSeededRandomPool random;
        CryptoPP::InvertibleRSAFunction key;
        if (!LoadSigningKey(key)) {
            return fail("the signing key cannot be loaded");
        }
        std::optional<Bytes> archive = ArchiveFileSet(std::move(files), progress, "compressing the bundle");
        if (!archive) {
            return fail("the bundle's archive would be larger than 4 GiB, or compressing it failed");
        }
        std::optional<Bytes> bundle = SignPayload(key, random, std::move(*archive));
        if (!bundle) {
            return fail("signing the bundle failed");
        }
        return bundle;
    } catch (const std::exception& e) {
        return fail(std::string("assembling the bundle failed: ") + e.what());
    }
}
