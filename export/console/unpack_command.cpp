// rigsmith unpack: the entries of a signed file, written into a folder.
#include <windows.h>

#include <cryptopp/rsa.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "archive_entry_path.h"
#include "command_support.h"
#include "commands.h"
#include "console_output.h"
#include "file_replacement.h"
#include "file_set_archive_reader.h"
#include "signed_container_reader.h"
#include "signing_key.h"
#include "text_encoding.h"

namespace {

bool SignatureVerifies(const SignedContainerView& container)
{
    CryptoPP::RSAFunction publicKey;
    return LoadVerificationKey(publicKey) && VerifyContainerSignature(publicKey, container);
}

std::wstring UpperCase(std::wstring text)
{
    if (!text.empty()) {
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    }
    return text;
}

} // namespace

int RunUnpack(const CommandLine& line)
{
    if (!CheckCommandLine(line, 2, {}, {L"unverified"})) {
        return kExitUsage;
    }
    const std::wstring path = FullPath(line.arguments[0]);
    const std::wstring folder = FullPath(line.arguments[1]);
    Bytes bytes;
    if (!ReadInputFile(path, bytes)) {
        return kExitFailure;
    }
    std::string error;
    const std::optional<SignedContainerView> container = ParseSignedContainer(bytes, error);
    if (!container) {
        ReportError(path + L" is not a signed file: " + Utf8ToWide(error));
        return kExitFailure;
    }
    if (!line.HasFlag(L"unverified") && !SignatureVerifies(*container)) {
        ReportError(path + L": the signature does not verify with this build's key; nothing unpacked "
                           L"(--unverified unpacks it anyway)");
        return kExitFailure;
    }
    const std::optional<ExtractedArchive> archive = ExtractFileSetArchive(container->data, error);
    if (!archive) {
        ReportError(path + L" has a malformed archive: " + Utf8ToWide(error));
        return kExitFailure;
    }
    // Every name is checked before anything is written.
    std::vector<std::wstring> targets;
    std::set<std::wstring> seen;
    for (const ArchiveEntry& entry : archive->entries) {
        const std::optional<std::wstring> relative = EntryPathBelowFolder(entry.name);
        if (!relative) {
            ReportError(L"refusing to unpack: the entry \"" + Utf8ToWide(entry.name) + L"\" would not stay inside " +
                        folder);
            return kExitFailure;
        }
        // Names that differ only in letter case would overwrite each other here.
        if (!seen.insert(UpperCase(*relative)).second) {
            ReportError(L"refusing to unpack: two entries would both be written to " + folder + L"\\" + *relative);
            return kExitFailure;
        }
        targets.push_back(folder + L"\\" + *relative);
    }
    for (size_t i = 0; i < targets.size(); ++i) {
        if (!WriteFileReplacing(targets[i], archive->DataOf(archive->entries[i]))) {
            ReportError(L"cannot write " + targets[i]);
            return kExitFailure;
        }
    }
    WriteToStandardOutput(std::to_wstring(targets.size()) + (targets.size() == 1 ? L" entry" : L" entries") +
                          L" unpacked into " + folder + L"\n");
    return kExitSuccess;
}
