// rigsmith inspect: a signed file as a tree, checked down into its payloads.
#include <cryptopp/rsa.h>

#include <string>
#include <string_view>

#include "command_support.h"
#include "commands.h"
#include "console_output.h"
#include "file_set_archive_reader.h"
#include "signed_container_reader.h"
#include "signing_key.h"
#include "text_encoding.h"

namespace {

// Entries with these endings are signed payloads of their own (in a bundle).
bool IsSignedPayloadName(std::string_view name)
{
    return name.ends_with(".TorlaSim") || name.ends_with(".TorlaSimCfg");
}

class Inspector {
public:
    explicit Inspector(CryptoPP::RSAFunction publicKey) : publicKey_(std::move(publicKey)) {}

    // Prints the container at `depth` and everything in it; counts what fails.
    void InspectSignedFile(std::span<const std::uint8_t> bytes, int depth)
    {
        std::string error;
        const std::optional<SignedContainerView> container = ParseSignedContainer(bytes, error);
        if (!container) {
            Problem(depth, "malformed signed container: " + error);
            return;
        }
        Line(depth, "signed container: 12 header + " + std::to_string(container->signature.size()) +
                        " signature + " + std::to_string(container->data.size()) + " data = " +
                        std::to_string(bytes.size()) + " bytes");
        ++signatures_;
        if (VerifyContainerSignature(publicKey_, *container)) {
            Line(depth, "signature: verified");
        } else {
            Problem(depth, "signature: DOES NOT VERIFY with this build's public key");
        }
        const std::optional<ExtractedArchive> archive = ExtractFileSetArchive(container->data, error);
        if (!archive) {
            Problem(depth, "malformed archive: " + error);
            return;
        }
        Line(depth, "archive: " + std::to_string(container->data.size()) + " bytes gzip, " +
                        std::to_string(archive->content.size()) + " bytes in " + std::to_string(archive->entries.size()) +
                        (archive->entries.size() == 1 ? " entry" : " entries"));
        for (const ArchiveEntry& entry : archive->entries) {
            Line(depth + 1, entry.name + ": " + std::to_string(entry.length) + " bytes");
            if (IsSignedPayloadName(entry.name) && depth < kMaxDepth) {
                InspectSignedFile(archive->DataOf(entry), depth + 2);
            }
        }
    }

    [[nodiscard]] int Problems() const { return problems_; }
    [[nodiscard]] int Signatures() const { return signatures_; }

private:
    static constexpr int kMaxDepth = 4;

    void Line(int depth, const std::string& text)
    {
        WriteToStandardOutput(std::wstring(static_cast<size_t>(depth) * 2, L' ') + Utf8ToWide(text) + L"\n");
    }
    void Problem(int depth, const std::string& text)
    {
        ++problems_;
        Line(depth, text);
    }

    CryptoPP::RSAFunction publicKey_;
    int problems_ = 0;
    int signatures_ = 0;
};

} // namespace

int RunInspect(const CommandLine& line)
{
    if (!CheckCommandLine(line, 1, {}, {})) {
        return kExitUsage;
    }
    const std::wstring path = FullPath(line.arguments[0]);
    Bytes bytes;
    if (!ReadInputFile(path, bytes)) {
        return kExitFailure;
    }
    CryptoPP::RSAFunction publicKey;
    if (!LoadVerificationKey(publicKey)) {
        ReportError(L"this build's key cannot be loaded");
        return kExitFailure;
    }
    Inspector inspector(std::move(publicKey));
    WriteToStandardOutput(path + L": " + std::to_wstring(bytes.size()) + L" bytes\n");
    inspector.InspectSignedFile(bytes, 1);
    if (inspector.Problems() > 0) {
        ReportError(path + L": " + std::to_wstring(inspector.Problems()) +
                    (inspector.Problems() == 1 ? L" problem" : L" problems") + L" found");
        return kExitFailure;
    }
    WriteToStandardOutput(L"OK: well formed, " + std::to_wstring(inspector.Signatures()) +
                          (inspector.Signatures() == 1 ? L" signature" : L" signatures") + L" verified\n");
    return kExitSuccess;
}
