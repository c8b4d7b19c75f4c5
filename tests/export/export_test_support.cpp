#include "export_test_support.h"

#include <gtest/gtest.h>

#include <cryptopp/base64.h>
#include <cryptopp/filters.h>
#include <cryptopp/gzip.h>

#include <fstream>
#include <random>
#include <sstream>

#include "signed_container_reader.h"

namespace {

// Test paths are written in UTF-8, whatever the system's code page.
std::filesystem::path Relative(std::string_view relative)
{
    return std::filesystem::path(std::u8string(relative.begin(), relative.end())).make_preferred();
}

} // namespace

PortableScratchFolder::PortableScratchFolder()
{
    std::random_device random;
    const std::string name = "rigsmith-export-test-" + std::to_string(random()) + "-" + std::to_string(random());
    root_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(root_);
}

PortableScratchFolder::~PortableScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void PortableScratchFolder::Write(std::string_view relative, std::string_view content) const
{
    const std::filesystem::path path = root_ / Relative(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
        throw std::runtime_error("cannot write a test file");
    }
}

void PortableScratchFolder::Write(std::string_view relative, const Bytes& content) const
{
    Write(relative, std::string_view(reinterpret_cast<const char*>(content.data()), content.size()));
}

std::string PortableScratchFolder::Read(std::string_view relative) const
{
    std::ifstream in(root_ / Relative(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool PortableScratchFolder::Exists(std::string_view relative) const
{
    return std::filesystem::exists(root_ / Relative(relative));
}

std::wstring PortableScratchFolder::Path(std::string_view relative) const
{
    std::filesystem::path path = root_;
    if (!relative.empty()) {
        path /= Relative(relative);
    }
    return path.wstring();
}

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string ToText(std::span<const std::uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

CryptoPP::RSAFunction BuildPublicKey()
{
    std::ifstream in(RIGSMITH_SIGNING_PUBLIC_KEY_PEM);
    std::string line;
    std::string base64;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.starts_with("-----")) {
            base64 += line;
        }
    }
    if (base64.empty()) {
        throw std::runtime_error("no public key in " RIGSMITH_SIGNING_PUBLIC_KEY_PEM);
    }
    std::string der;
    CryptoPP::StringSource decode(base64, true, new CryptoPP::Base64Decoder(new CryptoPP::StringSink(der)));
    CryptoPP::RSA::PublicKey key;
    CryptoPP::StringSource source(der, true);
    key.Load(source);
    return key;
}

std::map<std::string, std::string> OpenSignedFile(std::span<const std::uint8_t> container)
{
    std::map<std::string, std::string> entries;
    std::string error;
    const std::optional<SignedContainerView> view = ParseSignedContainer(container, error);
    EXPECT_TRUE(view) << error;
    if (!view) {
        return entries;
    }
    EXPECT_TRUE(VerifyContainerSignature(BuildPublicKey(), *view));
    const std::optional<ExtractedArchive> archive = ExtractFileSetArchive(view->data, error);
    EXPECT_TRUE(archive) << error;
    if (archive) {
        for (const ArchiveEntry& entry : archive->entries) {
            entries[entry.name] = ToText(archive->DataOf(entry));
        }
    }
    return entries;
}

std::string Gunzip(std::span<const std::uint8_t> archive)
{
    std::string content;
    CryptoPP::StringSource source(archive.data(), archive.size(), true,
                                  new CryptoPP::Gunzip(new CryptoPP::StringSink(content)));
    return content;
}
